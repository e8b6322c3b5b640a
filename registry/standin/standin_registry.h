#pragma once
// Control of the stand-in registry, for native tests, the fuzz target and the
// benchmark. Only HKEY_LOCAL_MACHINE (0x80000002) exists as a root. Values are
// stored as raw bytes, strings as UTF-16LE like the real registry; the ANSI code
// page is Windows-1252.

#include "regplatform.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// Empties the registry, clears the knobs and the counters.
void Reset();

// Creates the key (and its parents) below HKLM; `path` has no leading backslash.
void CreateKey(std::u16string_view path);
// Creates the key if needed and stores the value; replaces one of the same name.
void SetValue(std::u16string_view path, std::u16string_view name, DWORD type,
              std::vector<std::uint8_t> data);
void DeleteValue(std::u16string_view path, std::u16string_view name);

// What an ANSI query copies out for a value of this type and stored data:
// strings in the ANSI code page (a trailing half UTF-16 unit is dropped),
// everything else as stored.
std::string AnsiData(DWORD type, const std::vector<std::uint8_t>& data);

// Test knobs, cleared by Reset().
struct Knobs {
    // Added to the size that a query without a data buffer reports for a value.
    DWORD extraReportedBytes = 0;
    // Reported instead of the real size by such a query, when non-zero.
    DWORD reportedSizeOverride = 0;
    // Run once, right after the next query without a data buffer has answered:
    // a change of the value between the two queries.
    std::function<void()> betweenQueries;
};
Knobs& knobs();

int OpenKeys();                          // handles opened and not yet closed
int BadCloses();                         // RegCloseKey calls on a handle that was not open
std::vector<std::string> QueriedNames(); // value names of every RegQueryValueExA call, in order

} // namespace standin
