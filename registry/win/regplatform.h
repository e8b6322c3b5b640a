#pragma once
// Windows side of the registry seam: the real advapi32 functions and types.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
