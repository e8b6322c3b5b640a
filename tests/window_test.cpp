// frmMain created in this process under Wine, with a seeded driver key: layout,
// captions, styles and lifecycle. Run once per logical DPI; the DPI the run
// expects comes from VELMORA_EXPECT_DPI (default 96).

#include "frmMain.h"
#include "seed.h"
#include "win_probe.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

UINT ExpectedDpi() {
    const char* dpi = std::getenv("VELMORA_EXPECT_DPI");
    return dpi ? static_cast<UINT>(std::atoi(dpi)) : 96;
}

std::wstring W(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// A label's rectangle in its parent's client coordinates.
RECT RectOf(HWND label) {
    RECT rect{};
    GetWindowRect(label, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(label), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Runs `use` on a DC of `label` with the label's own font selected.
template <typename Use> auto WithLabelFont(HWND label, Use use) {
    const HDC dc = GetDC(label);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    const auto result = use(dc);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return result;
}

// Metrics of the label's own font, measured independently of the window's code.
struct FontMetrics {
    HWND label;
    int lineHeight;
    SIZE Extent(const std::wstring& line) const {
        return WithLabelFont(label, [&](HDC dc) {
            SIZE size{};
            GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
            return size;
        });
    }
};

FontMetrics MetricsOf(HWND label) {
    return FontMetrics{label, WithLabelFont(label, [](HDC dc) {
                           TEXTMETRICW tm{};
                           GetTextMetricsW(dc, &tm);
                           return static_cast<int>(tm.tmHeight + tm.tmExternalLeading);
                       })};
}

const frmMain::Label& EntryFor(const std::u16string DriverReport::*caption) {
    for (const auto& entry : frmMain::kLabels) {
        if (entry.caption == caption) return entry;
    }
    std::abort();
}

class Window : public ::testing::Test {
  protected:
    void Open() {
        window_ = frmMain::Create(GetModuleHandleW(nullptr));
        ASSERT_NE(window_, nullptr) << "frmMain could not be created (is there a display?)";
        dpi_ = frmMain::DpiOf(window_);
    }
    void TearDown() override {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    HWND Label(const std::u16string DriverReport::*caption) const {
        return GetDlgItem(window_, EntryFor(caption).id);
    }
    int Px(int twips) const { return frmMain::TwipsToPixels(twips, dpi_); }

    HWND window_ = nullptr;
    UINT dpi_ = 0;
};

TEST_F(Window, RunsAtTheExpectedDpi) {
    SeededKey key;
    Open();
    EXPECT_EQ(dpi_, ExpectedDpi());
}

TEST_F(Window, TitleStylesAndClientArea) {
    SeededKey key;
    Open();
    EXPECT_EQ(TextOf(window_), L"Velmora");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN));
    EXPECT_FALSE(IsWindowVisible(window_)) << "shown before the load step finished";
    RECT client{};
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, Px(4380));  // 292 at 96 DPI, 438 at 144
    EXPECT_EQ(client.bottom, Px(1575)); // 105 at 96 DPI, 158 at 144
}

// The window opens with its client area at the recorded origin when that fits
// the work area (Xvfb's screen is 1280 x 1024).
TEST_F(Window, OpensAtTheRecordedClientOrigin) {
    SeededKey key;
    Open();
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    EXPECT_EQ(origin.x, Px(4305));
    EXPECT_EQ(origin.y, Px(4800));
}

TEST_F(Window, SixLabelsWithTheReportsCaptions) {
    SeededKey key;
    SeedSampleValues(key);
    Open();
    const DriverReport expected = BuildDriverReport();
    int children = 0;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ++children;
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        EXPECT_STREQ(cls, L"Static");
    }
    EXPECT_EQ(children, 6);
    EXPECT_EQ(TextOf(Label(&DriverReport::lblVersion)),
              L"ATi Catalyst Version: 08.12 released 12/2008");
    for (const auto& entry : frmMain::kLabels) {
        const HWND label = GetDlgItem(window_, entry.id);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(TextOf(label), W(expected.*entry.caption)) << "label " << entry.id;
        const RECT rect = RectOf(label);
        EXPECT_EQ(rect.left, Px(entry.left)) << "label " << entry.id;
        EXPECT_EQ(rect.top, Px(entry.top)) << "label " << entry.id;
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(label, GWL_STYLE));
        EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFTNOWORDWRAP)) << "no word wrap";
        EXPECT_TRUE(style & SS_NOPREFIX) << "an '&' must show as itself";
    }
}

// Each single-line label is exactly as wide as its text and one line high; the
// release-version label is two lines high, also when its value is absent.
TEST_F(Window, LabelsFitTheirText) {
    struct Case {
        const char* name;
        const char16_t* drv;            // driver name value
        const char16_t* releaseVersion; // nullptr: absent
    };
    const Case cases[] = {
        {"plain", u"ati2dvag", u"8.561.0.0"},
        {"ampersands drawn as such", u"A&B && C&", u"8.561"},
        {"release version absent", u"ati2dvag", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SeededKey key;
        key.Text(u"drv", c.drv);
        if (c.releaseVersion) key.Text(u"ReleaseVersion", c.releaseVersion);
        Open();
        const HWND driver = Label(&DriverReport::lblDriverName);
        const FontMetrics metrics = MetricsOf(driver);
        const RECT rect = RectOf(driver);
        EXPECT_EQ(rect.right - rect.left, metrics.Extent(TextOf(driver)).cx);
        EXPECT_EQ(rect.bottom - rect.top, metrics.lineHeight);

        const HWND release = Label(&DriverReport::lblRVersion);
        const RECT releaseRect = RectOf(release);
        EXPECT_EQ(releaseRect.bottom - releaseRect.top, 2 * metrics.lineHeight);
        const std::wstring secondLine = c.releaseVersion ? W(c.releaseVersion) : L"";
        const LONG widest = std::max(metrics.Extent(L"ATi Catalyst Release Version: ").cx,
                                     metrics.Extent(secondLine).cx);
        EXPECT_EQ(releaseRect.right - releaseRect.left, widest);
        EXPECT_LE(releaseRect.bottom, RectOf(Label(&DriverReport::lblSmooth)).top)
            << "the two lines overlap the next label";
        DestroyWindow(window_);
        window_ = nullptr;
    }
}

TEST_F(Window, TabsAreExpanded) {
    SeededKey key;
    key.Text(u"drv", u"a\tb");
    Open();
    const HWND driver = Label(&DriverReport::lblDriverName);
    const RECT rect = RectOf(driver);
    const FontMetrics metrics = MetricsOf(driver);
    EXPECT_GT(rect.right - rect.left, metrics.Extent(L"Driver name: ab").cx + 2)
        << "a tab should take more room than nothing";
}

// A long driver name widens its label over the video name's; neither moves.
TEST_F(Window, LongDriverNameOverlapsVideoName) {
    SeededKey key;
    key.Text(u"drv", std::u16string(200, u'W'));
    key.Text(u"VIDEO_NAME_SUFFIX", u"Radeon");
    Open();
    const RECT driver = RectOf(Label(&DriverReport::lblDriverName));
    const RECT video = RectOf(Label(&DriverReport::lblVideoName));
    EXPECT_EQ(driver.left, Px(120));
    EXPECT_EQ(video.left, Px(2280));
    EXPECT_EQ(driver.top, video.top);
    EXPECT_GT(driver.right, video.right);
}

// A value of 1 MiB shows (cut off by the window's edge) without a crash.
TEST_F(Window, MegabyteValueShows) {
    SeededKey key;
    key.Text(u"drv", std::u16string(1 << 20, u'x'));
    const auto start = std::chrono::steady_clock::now();
    Open();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    std::printf("1 MiB driver name: created, loaded and painted in %lld ms\n",
                static_cast<long long>(ms.count()));
    const HWND driver = Label(&DriverReport::lblDriverName);
    EXPECT_EQ(static_cast<std::size_t>(GetWindowTextLengthW(driver)), 13u + (1u << 20));
    RECT client{};
    GetClientRect(window_, &client);
    EXPECT_GE(RectOf(driver).right, client.right);
}

// The labels draw on the window's own background: no boxes behind the text.
TEST_F(Window, LabelBackgroundsAreTransparent) {
    SeededKey key;
    Open();
    const HDC dc = CreateCompatibleDC(nullptr);
    const auto brush = SendMessageW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(Label(&DriverReport::lblVersion)));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(HOLLOW_BRUSH));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    DeleteDC(dc);
}

// Moving to a monitor of another DPI rebuilds the font and lays everything out
// again from twips.
TEST_F(Window, DpiChangeLaysOutAgain) {
    SeededKey key;
    Open();
    const UINT other = dpi_ == 144 ? 96 : 144;
    const int before = MetricsOf(Label(&DriverReport::lblVersion)).lineHeight;
    RECT suggested{100, 100, 600, 400};
    SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    dpi_ = other;
    RECT client{};
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, Px(4380));
    EXPECT_EQ(client.bottom, Px(1575));
    for (const auto& entry : frmMain::kLabels) {
        const RECT rect = RectOf(GetDlgItem(window_, entry.id));
        EXPECT_EQ(rect.left, Px(entry.left));
        EXPECT_EQ(rect.top, Px(entry.top));
    }
    const int after = MetricsOf(Label(&DriverReport::lblVersion)).lineHeight;
    EXPECT_EQ(after > before, other == 144u) << before << " -> " << after;
}

// The client area's pixels as the window has painted them.
std::vector<std::uint32_t> CaptureClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const HDC windowDc = GetDC(window);
    const HDC memory = CreateCompatibleDC(windowDc);
    const HBITMAP bitmap = CreateCompatibleBitmap(windowDc, client.right, client.bottom);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, windowDc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(client.right * client.bottom));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(client.bottom), pixels.data(), &info,
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
    return pixels;
}

void Settle(HWND window) {
    UpdateWindow(window);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

// Transparent labels do not erase what they drew before: after a re-layout at
// another DPI and back, the window must look exactly as it did.
TEST_F(Window, NoOldTextShowsThroughAfterRelayout) {
    SeededKey key;
    SeedSampleValues(key);
    Open();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    Settle(window_);
    const auto before = CaptureClient(window_);
    for (const UINT dpi : {dpi_ == 144 ? 96u : 144u, dpi_}) {
        RECT suggested{};
        GetWindowRect(window_, &suggested);
        SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        Settle(window_);
    }
    const auto after = CaptureClient(window_);
    ASSERT_EQ(after.size(), before.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < after.size(); ++i)
        differing += after[i] != before[i];
    EXPECT_EQ(differing, 0u) << "pixels that differ after the re-layout";
}

// Clicks, keys and timers are not the window's business: captions never change.
// Closing the window ends the message loop with exit code 0.
TEST_F(Window, IgnoresInputAndQuitsWithZeroOnClose) {
    SeededKey key;
    key.Text(u"drv", u"ati2dvag");
    Open();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    std::wstring before[6];
    for (int i = 0; i < 6; ++i)
        before[i] = TextOf(GetDlgItem(window_, frmMain::kLabels[i].id));
    for (const auto& entry : frmMain::kLabels) {
        const HWND label = GetDlgItem(window_, entry.id);
        for (const HWND target : {window_, label}) {
            SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
            SendMessageW(target, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageW(target, WM_KEYDOWN, VK_F5, 0);
            SendMessageW(target, WM_CHAR, L'x', 0);
            SendMessageW(target, WM_TIMER, 1, 0);
        }
    }
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(TextOf(GetDlgItem(window_, frmMain::kLabels[i].id)), before[i]);

    PostMessageW(window_, WM_CLOSE, 0, 0);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(IsWindow(window_));
}

} // namespace
