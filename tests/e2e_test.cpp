// End to end: starts the real Velmora.exe (path in argv) against a seeded driver
// key, reads its window from this separate process, closes it and checks that
// the process ended with exit code 0.

#include "seed.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring g_exe; // Windows path of Velmora.exe

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct Found {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == found->pid && IsWindowVisible(window)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

TEST(EndToEnd, ShowsTheDriverKeyAndExitsWithZeroOnClose) {
    SeededKey key;
    key.Text(u"Catalyst_Version", u"08.12");
    key.Text(u"ReleaseVersion", u"8.561.0.0");
    key.Text(u"SMOOTHVISION_NAME", u"SmoothVision HD");
    key.Text(u"Device Description", u"Radeon HD 4850");
    key.Text(u"drv", u"ati2dvag");
    key.Text(u"VIDEO_NAME_SUFFIX", u"Radeon HD 4800 Series");

    std::wstring command = L"\"" + g_exe + L"\" ignored /arguments";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << "cannot start " << std::string(g_exe.begin(), g_exe.end());
    CloseHandle(process.hThread);

    Found found{process.dwProcessId, nullptr};
    for (int waited = 0; !found.window && waited < 60000; waited += 20) {
        Sleep(20);
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
    }
    ASSERT_NE(found.window, nullptr) << "no visible window within 60 s";

    EXPECT_EQ(TextOf(found.window), L"Velmora");
    const wchar_t* expected[] = {
        L"Device name: Radeon HD 4850",
        L"ATi Catalyst Version: 08.12 released 12/2008",
        L"ATi Catalyst Release Version: \r\n8.561.0.0",
        L"Smooth Vision: SmoothVision HD",
        L"Driver name: ati2dvag",
        L"Video name: Radeon HD 4800 Series",
    };
    int i = 0;
    for (HWND child = GetWindow(found.window, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT), ++i) {
        ASSERT_LT(i, 6) << "more than six controls";
        EXPECT_EQ(TextOf(child), expected[i]);
    }
    EXPECT_EQ(i, 6);

    PostMessageW(found.window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0)
        << "still running after close";
    DWORD code = 1234;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, 0u);
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora_e2e PATH-TO-Velmora.exe\n");
        return 2;
    }
    // A Unix path works through Wine's Z: drive.
    const std::string path = argv[1];
    g_exe.assign(path.begin(), path.end());
    if (!g_exe.empty() && g_exe[0] == L'/') g_exe = L"Z:" + g_exe;
    for (auto& c : g_exe) {
        if (c == L'/') c = L'\\';
    }
    return RUN_ALL_TESTS();
}
