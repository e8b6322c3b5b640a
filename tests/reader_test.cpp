// GetRegString against a seeded driver key: natively over the stand-in, under
// Wine over the real registry. Same cases, same expectations.

#include "driver_report.h"
#include "modRegOldSchool.h"
#include "case_name.h"
#include "seed.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

std::string Show(const std::optional<std::u16string>& text) {
    if (!text) return "(absent)";
    std::string out = "\"";
    for (const char16_t c : *text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buf[12];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        }
    }
    if (out.size() > 80)
        out = out.substr(0, 60) + "... (" + std::to_string(text->size()) + " units)";
    return out + "\"";
}

std::optional<std::u16string> Read(std::u16string_view name) {
    return GetRegString(RegistryRoot::LocalMachine, kDriverKeyPath, name);
}

struct ValueCase {
    const char* name;
    DWORD type;
    std::vector<std::uint8_t> stored;
    std::optional<std::u16string> expected;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<std::uint8_t> Sz(std::u16string_view text) {
    return Utf16Bytes(text, true);
}
std::vector<std::uint8_t> Unterminated(std::u16string_view text) {
    return Utf16Bytes(text, false);
}

std::u16string Repeat(char16_t c, std::size_t n) {
    return std::u16string(n, c);
}

class StoredValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(StoredValue, ReadsBackAsExpected) {
    const ValueCase& c = GetParam();
    SeededKey key;
    key.Raw(u"Value", c.type, c.stored);
    const auto got = Read(u"Value");
    EXPECT_EQ(got, c.expected) << "got " << Show(got) << ", expected " << Show(c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, StoredValue,
    ::testing::Values(
        ValueCase{"PlainText", REG_SZ, Sz(u"Radeon HD 4850"), u"Radeon HD 4850"},
        ValueCase{"OnlyTerminatorIsEmpty", REG_SZ, Sz(u""), u""},
        ValueCase{"SizeZeroIsEmpty", REG_SZ, {}, u""},
        ValueCase{"CutAtEmbeddedNul", REG_SZ, Sz(std::u16string(u"ab\0cd", 5)), u"ab"},
        ValueCase{"LeadingNulIsEmpty", REG_SZ, Sz(std::u16string(u"\0cd", 3)), u""},
        ValueCase{"UnterminatedFillsBuffer", REG_SZ, Unterminated(u"Hello"), u"Hello"},
        ValueCase{"UnterminatedWithNulInside", REG_SZ, Unterminated(std::u16string(u"ab\0cd", 5)),
                  u"ab"},
        ValueCase{"DoubleTerminator", REG_SZ, Sz(std::u16string(u"Hi\0", 3)), u"Hi"},
        ValueCase{"LineBreaksTabsAmpersandsUnchanged", REG_SZ, Sz(u" A&B\r\nC\tD "),
                  u" A&B\r\nC\tD "},
        ValueCase{"Windows1252RoundTrip", REG_SZ, Sz(u"Gr\u00FC\u00DFe \u20AC"),
                  u"Gr\u00FC\u00DFe \u20AC"},
        ValueCase{"UnmappableBecomesQuestionMark", REG_SZ, Sz(u"\u4E2D\u6587"), u"??"},
        ValueCase{"LongerThan256Bytes", REG_SZ, Sz(Repeat(u'x', 301)), Repeat(u'x', 301)},
        // The terminator's position does not fit 16 bits; the text before it is kept.
        ValueCase{"NulBeyond32767", REG_SZ, Sz(Repeat(u'y', 40000) + std::u16string(u"\0z", 2)),
                  Repeat(u'y', 40000)},
        ValueCase{"NoNulAtAllBeyond32767", REG_SZ, Unterminated(Repeat(u'w', 40000)),
                  Repeat(u'w', 40000)},
        ValueCase{"ExpandSzIsAbsent", REG_EXPAND_SZ, Sz(u"%SystemRoot%"), std::nullopt},
        ValueCase{"MultiSzIsAbsent", REG_MULTI_SZ, Sz(std::u16string(u"a\0b\0", 4)), std::nullopt},
        ValueCase{"BinaryIsAbsent", REG_BINARY, {0x41, 0x00, 0x42, 0x00}, std::nullopt},
        ValueCase{"DwordIsAbsent", REG_DWORD, {0x0C, 0x08, 0x00, 0x00}, std::nullopt}),
    CaseName());

struct LookupCase {
    const char* name;
    std::u16string subKey;
    std::u16string valueName;
    bool present;
};

void PrintTo(const LookupCase& c, std::ostream* os) {
    *os << c.name;
}

class Lookup : public ::testing::TestWithParam<LookupCase> {};

// Keys and value names match as the registry matches them: without regard to
// case, and a trailing backslash is accepted.
TEST_P(Lookup, FindsOnlyTheStoredValue) {
    const LookupCase& c = GetParam();
    SeededKey key;
    key.Text(u"ReleaseVersion", u"8.561");
    const auto got = GetRegString(RegistryRoot::LocalMachine, c.subKey, c.valueName);
    if (c.present) {
        EXPECT_EQ(got, std::optional<std::u16string>(u"8.561")) << Show(got);
    } else {
        EXPECT_EQ(got, std::nullopt) << Show(got);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reader, Lookup,
    ::testing::Values(
        LookupCase{"ExactPathAndName", kDriverKeyPath, u"ReleaseVersion", true},
        LookupCase{"NameInOtherCase", kDriverKeyPath, u"RELEASEversion", true},
        LookupCase{"PathInOtherCase", u"system\\currentcontrolset\\SERVICES\\ATI2MTAG\\device0",
                   u"ReleaseVersion", true},
        LookupCase{"TrailingBackslash", std::u16string(kDriverKeyPath) + u"\\", u"ReleaseVersion",
                   true},
        LookupCase{"MissingValue", kDriverKeyPath, u"Catalyst_Version", false},
        LookupCase{"NameDiffers", kDriverKeyPath, u"ReleaseVersio", false},
        LookupCase{"WrongPathComponent", u"SYSTEM\\CurrentControlSet\\Services\\ati2mtag\\Device1",
                   u"ReleaseVersion", false},
        LookupCase{"MissingKey", u"SYSTEM\\CurrentControlSet\\Services\\no-such-driver\\Device0",
                   u"ReleaseVersion", false},
        LookupCase{"LeadingBackslash", u"\\" + std::u16string(kDriverKeyPath), u"ReleaseVersion",
                   false},
        // The empty path opens the root itself, which holds no such value.
        LookupCase{"EmptyPathIsTheRoot", u"", u"ReleaseVersion", false},
        // The ANSI call would see only "ReleaseVersion" and read the wrong value.
        LookupCase{"NulInsideName", kDriverKeyPath, std::u16string(u"ReleaseVersion\0x", 16),
                   false},
        LookupCase{"NulInsidePath", std::u16string(kDriverKeyPath) + std::u16string(u"\0x", 2),
                   u"ReleaseVersion", false}),
    CaseName());

} // namespace
