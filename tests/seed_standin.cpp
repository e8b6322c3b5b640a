#include "seed.h"

#include "driver_report.h"
#include "standin_registry.h"

#include <gtest/gtest.h>

SeededKey::SeededKey() {
    standin::Reset();
    standin::CreateKey(kDriverKeyPath);
}

SeededKey::~SeededKey() {
    // Every key the code under test opened has been closed, exactly once.
    EXPECT_EQ(standin::OpenKeys(), 0) << "a key was left open";
    EXPECT_EQ(standin::BadCloses(), 0) << "a key was closed that was not open";
    standin::Reset();
}

void SeededKey::Raw(std::u16string_view name, DWORD type, const std::vector<std::uint8_t>& data) {
    standin::SetValue(kDriverKeyPath, name, type, data);
}
