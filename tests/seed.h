#pragma once
// Seeds the display driver's key for one test: in the stand-in registry natively,
// in the real registry under Wine. The key must not exist beforehand (a real
// driver's key is never touched) and is removed again on destruction.

#include "regplatform.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SeededKey {
  public:
    SeededKey();
    ~SeededKey();
    SeededKey(const SeededKey&) = delete;
    SeededKey& operator=(const SeededKey&) = delete;

    // Stores raw bytes exactly: `data.size()` bytes, no terminator added.
    void Raw(std::u16string_view name, DWORD type, const std::vector<std::uint8_t>& data);
    // Stores UTF-16 text, with or without its terminating NUL.
    void Text(std::u16string_view name, std::u16string_view text, bool terminated = true,
              DWORD type = REG_SZ);
};

// The six values of a machine with the driver: Catalyst 08.12 and so on.
void SeedSampleValues(SeededKey& key);

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text, bool terminated);
