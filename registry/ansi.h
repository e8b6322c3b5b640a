#pragma once
// Crossing the system's ANSI code page, needed only because the registry is read
// through the ANSI entry points. Both directions convert every code unit, NULs
// included. They throw std::bad_alloc or std::length_error when the result cannot
// be held.

#include <string>
#include <string_view>

std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view bytes);
