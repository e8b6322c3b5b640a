#include "modRegOldSchool.h"

#include "ansi.h"
#include "regplatform.h"
#include "unique_handle.h"

#include <exception>

namespace {

// A plain function: the address of an imported function is not a constant.
void CloseKey(HKEY key) noexcept {
    RegCloseKey(key);
}
using UniqueHKey = UniqueHandle<HKEY, &CloseKey>;

// Predefined keys are sign-extended 32-bit values, as <winreg.h> defines them.
HKEY ToHKey(RegistryRoot root) {
    return reinterpret_cast<HKEY>(
        static_cast<std::intptr_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(root))));
}

bool HasNul(std::u16string_view text) {
    return text.find(u'\0') != std::u16string_view::npos;
}

} // namespace

std::optional<std::u16string> GetRegString(RegistryRoot root, std::u16string_view subKey,
                                           std::u16string_view valueName) noexcept {
    try {
        if (HasNul(subKey) || HasNul(valueName)) return std::nullopt;
        const std::string ansiSubKey = ToAnsi(subKey);
        const std::string ansiName = ToAnsi(valueName);

        const HKEY rootKey = ToHKey(root);
        HKEY opened = nullptr;
        if (RegOpenKeyA(rootKey, ansiSubKey.c_str(), &opened) != ERROR_SUCCESS) return std::nullopt;
        // An empty path hands back the root itself instead of a new handle; closing
        // that would close a key this call never opened.
        const UniqueHKey owner(opened == rootKey ? nullptr : opened);

        // The size query's status is not consulted: a missing value leaves the type
        // at REG_NONE, and anything but REG_SZ is absent.
        DWORD type = REG_NONE;
        DWORD size = 0;
        RegQueryValueExA(opened, ansiName.c_str(), nullptr, &type, nullptr, &size);
        if (type != REG_SZ) return std::nullopt;

        // `size` blanks in ANSI form: a blank is one byte in every ANSI code page.
        // The reported size may be anything; one that cannot be allocated throws.
        std::string buffer(size, ' ');
        DWORD scratchType = REG_NONE;
        DWORD capacity = size;
        // A value that grew since the size query gives ERROR_MORE_DATA and leaves
        // the buffer undefined; any failure here is absent.
        if (RegQueryValueExA(opened, ansiName.c_str(), nullptr, &scratchType,
                             reinterpret_cast<BYTE*>(buffer.data()), &capacity) != ERROR_SUCCESS) {
            return std::nullopt;
        }

        // The whole buffer, not only the bytes written: untouched blanks lie after
        // the terminator and are cut with it.
        std::u16string text = FromAnsi(buffer);
        if (const auto nul = text.find(u'\0'); nul != std::u16string::npos) text.resize(nul);
        return text;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}
