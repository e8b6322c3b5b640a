#include "ansi.h"

#include "regplatform.h"

#include <climits>
#include <stdexcept>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected on Windows");

namespace {

int CheckedLength(std::size_t length) {
    if (length > static_cast<std::size_t>(INT_MAX)) throw std::length_error("text too long");
    return static_cast<int>(length);
}

} // namespace

// Two-call pattern: measure, allocate, convert, check the count.
std::string ToAnsi(std::u16string_view text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = CheckedLength(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) throw std::runtime_error("WideCharToMultiByte failed");
    std::string out(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), needed, nullptr, nullptr) !=
        needed) {
        throw std::runtime_error("WideCharToMultiByte failed");
    }
    return out;
}

std::u16string FromAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int length = CheckedLength(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) throw std::runtime_error("MultiByteToWideChar failed");
    std::u16string out(static_cast<std::size_t>(needed), u'\0');
    if (MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(out.data()),
                            needed) != needed) {
        throw std::runtime_error("MultiByteToWideChar failed");
    }
    return out;
}
