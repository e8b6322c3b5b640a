#pragma once
// The program's only access to the registry: one REG_SZ value, read through the
// ANSI registry functions.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A predefined root key by its Win32 value, so that callers need no <windows.h>.
enum class RegistryRoot : std::uint32_t { LocalMachine = 0x80000002u };

// Reads `valueName` in the key `subKey` below `root`.
// Returns the text up to its first NUL (or all of it when there is none), converted
// from the ANSI code page; it may be empty. Returns nullopt when the key cannot be
// opened, the value is missing or not REG_SZ, the data query fails, or the text
// cannot be held in memory. A name with an embedded NUL is nullopt too, since the
// ANSI call would see only its start. Opens and closes the key within the call;
// never throws.
std::optional<std::u16string> GetRegString(RegistryRoot root, std::u16string_view subKey,
                                           std::u16string_view valueName) noexcept;
