// GetRegString over the stand-in registry for REG_SZ values of 16 bytes to 16 MiB
// (ANSI size). The reader's cost should grow linearly with the value's size.

#include "modRegOldSchool.h"
#include "standin_registry.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdint>
#include <vector>

namespace {

constexpr char16_t kPath[] = u"SYSTEM\\CurrentControlSet\\Services\\ati2mtag\\Device0";

void BM_GetRegString(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0)); // ANSI size, terminator included
    std::vector<std::uint8_t> data;
    data.reserve(bytes * 2);
    for (std::size_t i = 0; i + 1 < bytes; ++i)
        data.insert(data.end(), {std::uint8_t('a' + i % 26), 0});
    data.insert(data.end(), {0, 0});
    standin::Reset();
    standin::SetValue(kPath, u"Value", REG_SZ, std::move(data));
    for (auto _ : state) {
        auto text = GetRegString(RegistryRoot::LocalMachine, kPath, u"Value");
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_GetRegString)->RangeMultiplier(16)->Range(16, 16 << 20)->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv) {
    // Keep freed memory in the heap: each iteration otherwise gets fresh pages from
    // the kernel, and on a VM that hands freed pages back to its host, faulting
    // them in again costs more than the reader itself and grows with the heap.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
