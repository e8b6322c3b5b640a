#pragma once
// Stand-in side of the registry seam for the native build: the three advapi32
// functions the reader calls, with their Win32 names, widths and error values,
// over an in-memory registry (see standin_registry.h). Behaviour follows what
// Windows documents and does (exact ANSI sizes, ERROR_MORE_DATA with an untouched
// buffer, case-insensitive names), not what is convenient.

#include <cstdint>

using LONG = std::int32_t;
using DWORD = std::uint32_t;
using BYTE = std::uint8_t;
using LPCSTR = const char*;
struct HKEY__;
using HKEY = HKEY__*;

static_assert(sizeof(LONG) == 4 && sizeof(DWORD) == 4, "Win32 widths");

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_BAD_PATHNAME = 161;
inline constexpr LONG ERROR_MORE_DATA = 234;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, HKEY* phkResult);
LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                      DWORD* lpcbData);
LONG RegCloseKey(HKEY hKey);
