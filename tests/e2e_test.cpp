// End to end: starts the real Velmora.exe (path in argv) against a seeded driver
// key, reads its window from this separate process, closes it and checks that
// the process ended with exit code 0.

#include "seed.h"
#include "win_probe.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring g_exe; // Windows path of Velmora.exe

TEST(EndToEnd, ShowsTheDriverKeyAndExitsWithZeroOnClose) {
    SeededKey key;
    SeedSampleValues(key);

    std::wstring command = L"\"" + g_exe + L"\" ignored /arguments";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << "cannot start " << std::string(g_exe.begin(), g_exe.end());
    CloseHandle(process.hThread);

    HWND window = nullptr;
    for (int waited = 0; !window && waited < 60000; waited += 20) {
        Sleep(20);
        window = FindVisibleWindowOf(process.dwProcessId);
    }
    ASSERT_NE(window, nullptr) << "no visible window within 60 s";

    EXPECT_EQ(TextOf(window), L"Velmora");
    const wchar_t* expected[] = {
        L"Device name: Radeon HD 4850",
        L"ATi Catalyst Version: 08.12 released 12/2008",
        L"ATi Catalyst Release Version: \r\n8.561.0.0",
        L"Smooth Vision: SmoothVision HD",
        L"Driver name: ati2dvag",
        L"Video name: Radeon HD 4800 Series",
    };
    int i = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT), ++i) {
        ASSERT_LT(i, 6) << "more than six controls";
        EXPECT_EQ(TextOf(child), expected[i]);
    }
    EXPECT_EQ(i, 6);

    PostMessageW(window, WM_CLOSE, 0, 0);
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
    g_exe = WindowsPath(argv[1]);
    return RUN_ALL_TESTS();
}
