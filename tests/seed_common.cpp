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
