#pragma once
// The program's only window: six labels filled from the driver report.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

#include "driver_report.h"

namespace frmMain {

inline constexpr wchar_t kClassName[] = L"Velmora.frmMain";
inline constexpr wchar_t kTitle[] = L"Velmora";
inline constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; // fixed single border
inline constexpr DWORD kExStyle = 0;

// Geometry of the window definition, in twips (1,440 to the inch).
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kClientWidth = 4380;
inline constexpr int kClientHeight = 1575;
inline constexpr int kClientLeft = 4305; // client origin on the screen
inline constexpr int kClientTop = 4800;

struct Label {
    int id;
    const wchar_t* initialCaption;
    int left, top; // twips, from the client area's top-left corner
    std::u16string DriverReport::*caption;
};

// In the window definition's order; the control ids are for tests and tools.
inline constexpr Label kLabels[] = {
    {101, L"Device Name: ", 120, 120, &DriverReport::lblDeviceName},
    {102, L"ATi Catalyst Version: ", 120, 360, &DriverReport::lblVersion},
    {103, L"ATi Catalyst Release Version: ", 120, 600, &DriverReport::lblRVersion},
    {104, L"SmoothVision: ", 120, 1080, &DriverReport::lblSmooth},
    {105, L"Driver name: ", 120, 1320, &DriverReport::lblDriverName},
    {106, L"Video name: ", 2280, 1320, &DriverReport::lblVideoName},
};

// Statics draw their text with exactly these flags; labels are measured with them.
inline constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
inline constexpr UINT kLabelDrawFlags = DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX;

inline int TwipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

// Registers the class, creates the window hidden, places it and runs the load
// step: captions from BuildDriverReport, labels sized to them. nullptr on failure.
HWND Create(HINSTANCE instance);

// The window's DPI (Windows 10 1607 and later), else the system's.
UINT DpiOf(HWND window);

} // namespace frmMain
