#pragma once
// What the window says: one caption per label, composed from the display
// driver's registry key.

#include <string>

// The six captions, named after the labels that show them.
struct DriverReport {
    std::u16string lblVersion;
    std::u16string lblRVersion;
    std::u16string lblSmooth;
    std::u16string lblDeviceName;
    std::u16string lblDriverName;
    std::u16string lblVideoName;
};

// Reads the six values, one GetRegString call each in a fixed order, and composes
// the captions: leading text followed by the value (nothing for an absent value).
// The version caption then gets " released <second part>/20<first part>" from the
// version text's "."-separated parts, or no suffix when it has fewer than two
// parts. Never throws; a text that cannot be held in memory is left short.
DriverReport BuildDriverReport() noexcept;

// The key all six values live in, below HKEY_LOCAL_MACHINE.
inline constexpr char16_t kDriverKeyPath[] =
    u"SYSTEM\\CurrentControlSet\\Services\\ati2mtag\\Device0";
