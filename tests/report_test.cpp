// BuildDriverReport against a seeded driver key (stand-in natively, the real
// registry under Wine).

#include "driver_report.h"
#include "case_name.h"
#include "seed.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>

namespace {

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        if (c == u'\r') {
            out += "\\r";
        } else if (c == u'\n') {
            out += "\\n";
        } else {
            out += c < 0x80 ? static_cast<char>(c) : '?';
        }
    }
    return out;
}

using Values = std::map<std::u16string, std::u16string>;

DriverReport ReportFor(const Values& values) {
    SeededKey key;
    for (const auto& [name, text] : values)
        key.Text(name, text);
    return BuildDriverReport();
}

// The six captions in report order: version, release version, SmoothVision,
// device, driver, video.
void ExpectCaptions(const DriverReport& r, const std::u16string (&want)[6]) {
    const std::u16string* got[] = {&r.lblVersion,    &r.lblRVersion,   &r.lblSmooth,
                                   &r.lblDeviceName, &r.lblDriverName, &r.lblVideoName};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(*got[i], want[i]) << "caption " << i << ": " << Narrow(*got[i]);
}

TEST(Report, FullKeyGivesSixLabelledLines) {
    SeededKey key;
    SeedSampleValues(key);
    ExpectCaptions(BuildDriverReport(),
                   {u"ATi Catalyst Version: 08.12 released 12/2008",
                    u"ATi Catalyst Release Version: \r\n8.561.0.0",
                    u"Smooth Vision: SmoothVision HD", u"Device name: Radeon HD 4850",
                    u"Driver name: ati2dvag", u"Video name: Radeon HD 4800 Series"});
}

// A machine without this driver: every line is its leading text alone, and the
// version line has no date to tell.
TEST(Report, MissingKeyGivesLeadingTextsAlone) {
    ExpectCaptions(BuildDriverReport(),
                   {u"ATi Catalyst Version: ", u"ATi Catalyst Release Version: \r\n",
                    u"Smooth Vision: ", u"Device name: ", u"Driver name: ", u"Video name: "});
}

TEST(Report, OnlyVersionPresent) {
    ExpectCaptions(ReportFor({{u"Catalyst_Version", u"08.12"}}),
                   {u"ATi Catalyst Version: 08.12 released 12/2008",
                    u"ATi Catalyst Release Version: \r\n", u"Smooth Vision: ", u"Device name: ",
                    u"Driver name: ", u"Video name: "});
}

TEST(Report, ValuesArePlacedUnchanged) {
    const DriverReport r = ReportFor({{u"drv", u" a&b\r\nc\td "}, {u"ReleaseVersion", u"x\r\ny"}});
    EXPECT_EQ(r.lblDriverName, u"Driver name:  a&b\r\nc\td ");
    EXPECT_EQ(r.lblRVersion, u"ATi Catalyst Release Version: \r\nx\r\ny");
}

struct VersionCase {
    const char* name;
    std::optional<std::u16string> stored; // nullopt: no Catalyst_Version value
    std::u16string caption;
};

void PrintTo(const VersionCase& c, std::ostream* os) {
    *os << c.name;
}

class VersionLine : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionLine, GetsReleaseDateFromFirstTwoParts) {
    const VersionCase& c = GetParam();
    Values values = {{u"drv", u"ati2dvag"}};
    if (c.stored) values[u"Catalyst_Version"] = *c.stored;
    const DriverReport r = ReportFor(values);
    EXPECT_EQ(r.lblVersion, c.caption) << Narrow(r.lblVersion);
}

INSTANTIATE_TEST_SUITE_P(
    Report, VersionLine,
    ::testing::Values(
        VersionCase{"TwoDigitParts", u"08.12", u"ATi Catalyst Version: 08.12 released 12/2008"},
        VersionCase{"OneDigitFirstPartUnchanged", u"8.12",
                    u"ATi Catalyst Version: 8.12 released 12/208"},
        VersionCase{"PartsAfterSecondUnused", u"8.561.0.0",
                    u"ATi Catalyst Version: 8.561.0.0 released 561/208"},
        VersionCase{"EmptySecondPart", u"08..12", u"ATi Catalyst Version: 08..12 released /2008"},
        VersionCase{"EmptyFirstPart", u".12", u"ATi Catalyst Version: .12 released 12/20"},
        VersionCase{"TrailingDot", u"9.", u"ATi Catalyst Version: 9. released /209"},
        VersionCase{"PartsNotTrimmed", u" 9 . 3 ",
                    u"ATi Catalyst Version:  9 . 3  released  3 /20 9 "},
        VersionCase{"NoDotGivesNoSuffix", u"812", u"ATi Catalyst Version: 812"},
        VersionCase{"EmptyGivesNoSuffix", u"", u"ATi Catalyst Version: "},
        VersionCase{"AbsentGivesNoSuffix", std::nullopt, u"ATi Catalyst Version: "}),
    CaseName());

} // namespace
