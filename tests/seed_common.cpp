#include "seed.h"

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text, bool terminated) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    if (terminated) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

void SeededKey::Text(std::u16string_view name, std::u16string_view text, bool terminated,
                     DWORD type) {
    Raw(name, type, Utf16Bytes(text, terminated));
}

void SeedSampleValues(SeededKey& key) {
    key.Text(u"Catalyst_Version", u"08.12");
    key.Text(u"ReleaseVersion", u"8.561.0.0");
    key.Text(u"SMOOTHVISION_NAME", u"SmoothVision HD");
    key.Text(u"Device Description", u"Radeon HD 4850");
    key.Text(u"drv", u"ati2dvag");
    key.Text(u"VIDEO_NAME_SUFFIX", u"Radeon HD 4800 Series");
}
