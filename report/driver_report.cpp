#include "driver_report.h"

#include "modRegOldSchool.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>

namespace {

struct Row {
    std::u16string DriverReport::*caption;
    std::u16string_view valueName;
    std::u16string_view leadingText;
};

// In reading order; the release version stands on its own second line.
constexpr Row kRows[] = {
    {&DriverReport::lblVersion, u"Catalyst_Version", u"ATi Catalyst Version: "},
    {&DriverReport::lblRVersion, u"ReleaseVersion", u"ATi Catalyst Release Version: \r\n"},
    {&DriverReport::lblSmooth, u"SMOOTHVISION_NAME", u"Smooth Vision: "},
    {&DriverReport::lblDeviceName, u"Device Description", u"Device name: "},
    {&DriverReport::lblDriverName, u"drv", u"Driver name: "},
    {&DriverReport::lblVideoName, u"VIDEO_NAME_SUFFIX", u"Video name: "},
};

// " released 12/2008" for "08.12": the parts are used exactly as they stand, so
// "8.12" gives "12/208". Without a second part there is no date to tell.
std::optional<std::u16string> ReleaseSuffix(std::u16string_view version) {
    const auto firstDot = version.find(u'.');
    if (firstDot == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view first = version.substr(0, firstDot);
    const std::u16string_view rest = version.substr(firstDot + 1);
    const std::u16string_view second = rest.substr(0, rest.find(u'.'));
    std::u16string suffix = u" released ";
    suffix.append(second).append(u"/20").append(first);
    return suffix;
}

} // namespace

DriverReport BuildDriverReport() noexcept {
    DriverReport report;
    for (const Row& row : kRows) {
        const auto value = GetRegString(RegistryRoot::LocalMachine, kDriverKeyPath, row.valueName);
        try {
            std::u16string& caption = report.*row.caption;
            caption.assign(row.leadingText);
            if (value) caption.append(*value);
        } catch (const std::exception&) {
            // Out of memory for one caption: it keeps what it has.
        }
    }
    try {
        std::u16string_view version = report.lblVersion;
        version.remove_prefix(std::min(version.size(), kRows[0].leadingText.size()));
        if (const auto suffix = ReleaseSuffix(version)) report.lblVersion.append(*suffix);
    } catch (const std::exception&) {
    }
    return report;
}
