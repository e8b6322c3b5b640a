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

const Values kFullKey = {
    {u"Catalyst_Version", u"08.12"},
    {u"ReleaseVersion", u"8.561.0.0"},
    {u"SMOOTHVISION_NAME", u"SmoothVision HD"},
    {u"Device Description", u"Radeon HD 4850"},
    {u"drv", u"ati2dvag"},
    {u"VIDEO_NAME_SUFFIX", u"Radeon HD 4800 Series"},
};

DriverReport ReportFor(const Values& values) {
    SeededKey key;
    for (const auto& [name, text] : values)
        key.Text(name, text);
    return BuildDriverReport();
}

TEST(Report, FullKeyGivesSixLabelledLines) {
    const DriverReport r = ReportFor(kFullKey);
    EXPECT_EQ(r.lblVersion, u"ATi Catalyst Version: 08.12 released 12/2008");
    EXPECT_EQ(r.lblRVersion, u"ATi Catalyst Release Version: \r\n8.561.0.0");
    EXPECT_EQ(r.lblSmooth, u"Smooth Vision: SmoothVision HD");
    EXPECT_EQ(r.lblDeviceName, u"Device name: Radeon HD 4850");
    EXPECT_EQ(r.lblDriverName, u"Driver name: ati2dvag");
    EXPECT_EQ(r.lblVideoName, u"Video name: Radeon HD 4800 Series");
}

// A machine without this driver: every line is its leading text alone, and the
// version line has no date to tell.
TEST(Report, MissingKeyGivesLeadingTextsAlone) {
    const DriverReport r = BuildDriverReport();
    EXPECT_EQ(r.lblVersion, u"ATi Catalyst Version: ");
    EXPECT_EQ(r.lblRVersion, u"ATi Catalyst Release Version: \r\n");
    EXPECT_EQ(r.lblSmooth, u"Smooth Vision: ");
    EXPECT_EQ(r.lblDeviceName, u"Device name: ");
    EXPECT_EQ(r.lblDriverName, u"Driver name: ");
    EXPECT_EQ(r.lblVideoName, u"Video name: ");
}

TEST(Report, OnlyVersionPresent) {
    const DriverReport r = ReportFor({{u"Catalyst_Version", u"08.12"}});
    EXPECT_EQ(r.lblVersion, u"ATi Catalyst Version: 08.12 released 12/2008");
    EXPECT_EQ(r.lblRVersion, u"ATi Catalyst Release Version: \r\n");
    EXPECT_EQ(r.lblSmooth, u"Smooth Vision: ");
    EXPECT_EQ(r.lblDeviceName, u"Device name: ");
    EXPECT_EQ(r.lblDriverName, u"Driver name: ");
    EXPECT_EQ(r.lblVideoName, u"Video name: ");
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
