#include "seed.h"

#include "driver_report.h"

#include <gtest/gtest.h>

namespace {

const wchar_t* Wide(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

// Parent of the driver key; created (and later removed) only if it is missing.
constexpr wchar_t kServiceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\ati2mtag";

bool KeyExists(const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool g_createdService = false;

} // namespace

SeededKey::SeededKey() {
    if (KeyExists(Wide(kDriverKeyPath))) {
        ADD_FAILURE() << "the driver key exists already; refusing to touch a real driver's key";
        std::abort();
    }
    g_createdService = !KeyExists(kServiceKey);
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(kDriverKeyPath), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

SeededKey::~SeededKey() {
    EXPECT_EQ(
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, g_createdService ? kServiceKey : Wide(kDriverKeyPath)),
        ERROR_SUCCESS);
}

void SeededKey::Raw(std::u16string_view name, DWORD type, const std::vector<std::uint8_t>& data) {
    // RegSetValueExW "repairs" string data whose next UTF-16 unit in memory is NUL
    // by storing that NUL too; a non-NUL unit after the data keeps it exact.
    std::vector<std::uint8_t> padded = data;
    padded.insert(padded.end(), {'X', 0, 'X', 0});
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(kDriverKeyPath), 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    const std::u16string terminatedName(name);
    EXPECT_EQ(RegSetValueExW(key, Wide(terminatedName), 0, type, padded.data(),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}
