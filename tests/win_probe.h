#pragma once
// Small Win32 helpers for programs that look at another process's window.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

inline std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct WindowSearch {
    DWORD pid;
    HWND window;
};

inline BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->pid || !IsWindowVisible(window)) return TRUE;
    search->window = window;
    return FALSE;
}

// The first visible top-level window of process `pid`, or nullptr.
inline HWND FindVisibleWindowOf(DWORD pid) {
    WindowSearch search{pid, nullptr};
    EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.window;
}

// A Unix path as Wine sees it through its Z: drive; Windows paths pass unchanged.
inline std::wstring WindowsPath(std::string_view path) {
    std::wstring out(path.begin(), path.end());
    if (!out.empty() && out[0] == L'/') out = L"Z:" + out;
    std::replace(out.begin(), out.end(), L'/', L'\\');
    return out;
}
