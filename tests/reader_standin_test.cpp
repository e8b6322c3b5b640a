// Reader cases that need the stand-in's knobs, so they run natively only: sizes
// that lie, values that change between the two queries, and the order of reads.

#include "driver_report.h"
#include "modRegOldSchool.h"
#include "seed.h"
#include "standin_registry.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdlib>
#include <functional>

namespace {

std::optional<std::u16string> Read(std::u16string_view name) {
    return GetRegString(RegistryRoot::LocalMachine, kDriverKeyPath, name);
}

// The size query may report more than the data needs; the blanks past the
// terminator (or past the NUL the query adds to unterminated data) are dropped.
TEST(ReaderStandIn, OversizedReportDropsTrailingBlanks) {
    for (const bool terminated : {true, false}) {
        SeededKey key;
        key.Text(u"Value", u"Hello", terminated);
        standin::knobs().extraReportedBytes = 7;
        EXPECT_EQ(Read(u"Value"), std::optional<std::u16string>(u"Hello"))
            << "terminated=" << terminated;
    }
}

TEST(ReaderStandIn, ValueChangedBetweenQueries) {
    struct Case {
        const char* name;
        std::function<void()> change;
        std::optional<std::u16string> expected;
    };
    const auto set = [](std::u16string_view text) {
        return
            [text] { standin::SetValue(kDriverKeyPath, u"Value", REG_SZ, Utf16Bytes(text, true)); };
    };
    const Case cases[] = {
        {"GrewIsAbsent", set(u"Hello, world"), std::nullopt},
        {"ShrankIsTheNewText", set(u"Hi"), u"Hi"},
        {"SameSizeIsTheNewText", set(u"World"), u"World"},
        {"DeletedIsAbsent", [] { standin::DeleteValue(kDriverKeyPath, u"Value"); }, std::nullopt},
    };
    for (const Case& c : cases) {
        SeededKey key;
        key.Text(u"Value", u"Hello");
        standin::knobs().betweenQueries = c.change;
        EXPECT_EQ(Read(u"Value"), c.expected) << c.name;
    }
}

// Child side of the test below: a 64-bit process could hold 4 GiB, so it first
// gets an address space the size a 32-bit process has.
[[noreturn]] void ReadHugeReportedSize() {
    SeededKey key;
    key.Text(u"Value", u"Hello");
    standin::knobs().reportedSizeOverride = 0xFFFFFFF0u;
    const rlimit limit{rlim_t{2} << 30, rlim_t{2} << 30};
    setrlimit(RLIMIT_AS, &limit);
    std::_Exit(Read(u"Value") == std::nullopt ? 0 : 1);
}

// A size that cannot be allocated is absent, not a crash.
TEST(ReaderStandIn, UnallocatableSizeIsAbsent) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an address-space limit leaves no room for ASan's shadow memory";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ReadHugeReportedSize(), ::testing::ExitedWithCode(0), "");
}

TEST(ReaderStandIn, EmptyPathDoesNotCloseTheRoot) {
    SeededKey key; // its destructor checks that nothing was closed twice
    EXPECT_EQ(GetRegString(RegistryRoot::LocalMachine, u"", u"Value"), std::nullopt);
}

TEST(ReportStandIn, ReadsSixValuesInTableOrderOnce) {
    SeededKey key;
    key.Text(u"Catalyst_Version", u"08.12");
    BuildDriverReport();
    // Two queries per present value (size, then data); one for an absent one.
    const std::vector<std::string> expected = {"Catalyst_Version",   "Catalyst_Version",
                                               "ReleaseVersion",     "SMOOTHVISION_NAME",
                                               "Device Description", "drv",
                                               "VIDEO_NAME_SUFFIX"};
    EXPECT_EQ(standin::QueriedNames(), expected);
}

} // namespace
