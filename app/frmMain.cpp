#include "frmMain.h"

#include "unique_handle.h"

#include <algorithm>
#include <exception>
#include <new>

namespace frmMain {
namespace {

// GDI coordinates beyond this stop being dependable, and nothing past the
// window's edge can be seen anyway.
constexpr int kMaxLabelExtent = 32767;

void DeleteFont(HFONT font) noexcept {
    DeleteObject(font);
}
using UniqueFont = UniqueHandle<HFONT, &DeleteFont>;

struct State {
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    UniqueFont font; // outlives the labels: deleted after WM_DESTROY has reached them
};

State* StateOf(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Functions that Windows 7 lacks are looked up at run time, so that the exe
// still starts there.
template <typename Fn> Fn FromUser32(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// The window rectangle for a client area of width x height at `dpi`.
RECT WindowRectFor(int width, int height, UINT dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = FromUser32<AdjustForDpi>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, width, height};
    if (!adjustForDpi || !adjustForDpi(&rect, kStyle, FALSE, kExStyle, dpi)) {
        AdjustWindowRectEx(&rect, kStyle, FALSE, kExStyle);
    }
    return rect;
}

// The system's message font for `dpi`, as dialogs use it.
UniqueFont MessageFont(UINT dpi) {
    using InfoForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto infoForDpi = FromUser32<InfoForDpi>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (infoForDpi && infoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMessageFont.lfHeight = MulDiv(
            metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
        return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    return UniqueFont();
}

// The size the static needs to show `label`'s text whole, measured the way it
// draws. A trailing line break is drawn as an empty last line but measured as
// none, so it is added.
SIZE MeasureLabel(HWND label, HFONT font) {
    const int length = GetWindowTextLengthW(label);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), length + 1)));
    SIZE size{0, 0};
    const HDC dc = GetDC(label);
    if (!dc) return size;
    const HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | kLabelDrawFlags);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    size.cx = rect.right - rect.left;
    size.cy = rect.bottom - rect.top;
    if (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) {
        size.cy += metrics.tmHeight + metrics.tmExternalLeading;
    }
    size.cx = std::min<LONG>(size.cx, kMaxLabelExtent);
    size.cy = std::min<LONG>(size.cy, kMaxLabelExtent);
    return size;
}

// Puts every label at its place for the current DPI and sizes it to its text,
// then repaints what lies beneath: a transparent static does not erase its old
// text by itself.
void LayOutLabels(HWND window) {
    const State& state = *StateOf(window);
    for (const Label& entry : kLabels) {
        const HWND label = GetDlgItem(window, entry.id);
        const SIZE size = MeasureLabel(label, state.font.get());
        SetWindowPos(label, nullptr, TwipsToPixels(entry.left, state.dpi),
                     TwipsToPixels(entry.top, state.dpi), size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Sizes the window for its client area at `dpi`, with the client's top-left at
// `clientOrigin` as far as the monitor's work area allows.
void PlaceWindow(HWND window, POINT clientOrigin, UINT dpi) {
    const int clientWidth = TwipsToPixels(kClientWidth, dpi);
    const int clientHeight = TwipsToPixels(kClientHeight, dpi);
    RECT frame = WindowRectFor(clientWidth, clientHeight, dpi);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int x = clientOrigin.x + frame.left;
    int y = clientOrigin.y + frame.top;

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromPoint(clientOrigin, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        x = std::max<int>(work.left, std::min<int>(x, work.right - width));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    }
    SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    // Frame metrics differ between systems; settle the client area exactly.
    RECT client{};
    GetClientRect(window, &client);
    const int dx = clientWidth - (client.right - client.left);
    const int dy = clientHeight - (client.bottom - client.top);
    if (dx != 0 || dy != 0) {
        SetWindowPos(window, nullptr, 0, 0, width + dx, height + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ApplyFont(HWND window, UINT dpi) {
    State& state = *StateOf(window);
    UniqueFont font = MessageFont(dpi);
    for (const Label& entry : kLabels) {
        SendDlgItemMessageW(window, entry.id, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()),
                            FALSE);
    }
    state.font = std::move(font); // the old font is deleted only after no label uses it
    state.dpi = dpi;
}

bool OnCreate(HWND window, const CREATESTRUCTW& create) {
    for (const Label& entry : kLabels) {
        if (!CreateWindowExW(0, L"STATIC", entry.initialCaption, kLabelStyle, 0, 0, 0, 0, window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                             create.hInstance, nullptr)) {
            return false;
        }
    }
    ApplyFont(window, DpiOf(window)); // the load step sizes the labels
    return true;
}

// The load step: runs once, before the window is first shown.
void OnLoad(HWND window) {
    const DriverReport report = BuildDriverReport();
    for (const Label& entry : kLabels) {
        const std::u16string& caption = report.*entry.caption;
        SetDlgItemTextW(window, entry.id, reinterpret_cast<const wchar_t*>(caption.c_str()));
    }
    LayOutLabels(window);
}

void OnDpiChanged(HWND window, UINT dpi, const RECT& suggested) {
    ApplyFont(window, dpi);
    LayOutLabels(window);
    const RECT frame = WindowRectFor(0, 0, dpi);
    PlaceWindow(window, POINT{suggested.left - frame.left, suggested.top - frame.top}, dpi);
}

// No other event is the window's own: clicks, keys and timers fall to the
// default handling and change nothing.
LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam)) ? 0 : -1;
    case WM_CTLCOLORSTATIC:
        // Transparent labels: both the mode and the hollow brush are needed.
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
    case WM_DPICHANGED:
        OnDpiChanged(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new (std::nothrow) State));
        if (!StateOf(window)) return FALSE;
    }
    if (message == WM_NCDESTROY) {
        delete StateOf(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    if (!StateOf(window)) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return Dispatch(window, message, wParam, lParam);
    } catch (const std::exception&) {
        // Nothing may unwind into the system's code.
        return message == WM_CREATE ? -1 : DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

UINT DpiOf(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = FromUser32<DpiForWindow>("GetDpiForWindow");
    if (dpiForWindow) {
        if (const UINT dpi = dpiForWindow(window)) return dpi;
    }
    return SystemDpi();
}

HWND Create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    const HWND window = CreateWindowExW(kExStyle, kClassName, kTitle, kStyle, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    try {
        const UINT dpi = DpiOf(window);
        PlaceWindow(window, POINT{TwipsToPixels(kClientLeft, dpi), TwipsToPixels(kClientTop, dpi)},
                    dpi);
        OnLoad(window);
    } catch (const std::exception&) {
        // A caption that could not be set keeps its initial text.
    }
    return window;
}

} // namespace frmMain
