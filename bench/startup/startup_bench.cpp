// Time from process start to its first visible top-level window, for Velmora.exe
// and for a bare window program, alternating, under one Wine server.
//   startup_bench VELMORA.EXE BARE.EXE [RUNS]
// Prints the median of each, their ratio and the sizes of both files.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "win_probe.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Milliseconds from CreateProcess to a visible window; negative on failure.
double TimeOneStart(const std::wstring& exe) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    HWND window = nullptr;
    double ms = -1;
    for (;;) {
        window = FindVisibleWindowOf(process.dwProcessId);
        QueryPerformanceCounter(&now);
        const double elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                               static_cast<double>(frequency.QuadPart);
        if (window) {
            ms = elapsed;
            break;
        }
        if (elapsed > 60000) break;
        Sleep(1);
    }
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ms;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench VELMORA.EXE BARE.EXE [RUNS]\n");
        return 2;
    }
    const std::wstring velmora = WindowsPath(argv[1]);
    const std::wstring bare = WindowsPath(argv[2]);
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;
    TimeOneStart(bare); // warm the file cache and the server
    TimeOneStart(velmora);
    std::vector<double> velmoraMs, bareMs;
    for (int i = 0; i < runs; ++i) {
        bareMs.push_back(TimeOneStart(bare));
        velmoraMs.push_back(TimeOneStart(velmora));
        if (bareMs.back() < 0 || velmoraMs.back() < 0) {
            std::fprintf(stderr, "a program did not show a window\n");
            return 1;
        }
    }
    const double v = Median(velmoraMs), b = Median(bareMs);
    std::printf("start to visible window, median of %d runs:\n", runs);
    std::printf("  Velmora.exe      %8.1f ms   (%lld bytes)\n", v, FileSize(velmora));
    std::printf("  bare window exe  %8.1f ms   (%lld bytes)\n", b, FileSize(bare));
    std::printf("  ratio            %8.3f   (goal: at most 1.05)\n", v / b);
    return 0;
}
