// Drives GetRegString over the stand-in registry with arbitrary value types,
// bytes, reported sizes and changes between its two queries, and checks the
// reader's contract:
//   - present exactly when the type seen by the size query is REG_SZ and the data
//     query succeeds (the value still exists and fits the reported size);
//   - a present text holds no NUL and is the start of the data the data query
//     copied, converted from the ANSI code page (blanks may follow data that has
//     no room for a terminator or is not a string);
//   - every key opened is closed exactly once.

#include "ansi.h"
#include "modRegOldSchool.h"
#include "standin_registry.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

constexpr char16_t kPath[] = u"SYSTEM\\CurrentControlSet\\Services\\ati2mtag\\Device0";

struct Stored {
    DWORD type;
    std::vector<std::uint8_t> data;
};

std::string AnsiOf(const Stored& v) {
    return standin::AnsiData(v.type, v.data);
}

DWORD PickType(FuzzedDataProvider& in) {
    static constexpr DWORD kTypes[] = {
        REG_SZ, REG_SZ, REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_BINARY, REG_DWORD, REG_NONE, 11};
    return in.PickValueInArray(kTypes);
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "contract broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider in(bytes, size);
    standin::Reset();

    const Stored first{PickType(in), in.ConsumeBytes<std::uint8_t>(
                                         in.ConsumeIntegralInRange<std::size_t>(0, 4096))};
    standin::SetValue(kPath, u"Value", first.type, first.data);

    const std::string firstAnsi = AnsiOf(first);
    DWORD reported = static_cast<DWORD>(firstAnsi.size());
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 1:
        standin::knobs().extraReportedBytes = in.ConsumeIntegralInRange<DWORD>(0, 4096);
        reported += standin::knobs().extraReportedBytes;
        break;
    case 2:
        standin::knobs().reportedSizeOverride = in.ConsumeIntegralInRange<DWORD>(1, 1 << 20);
        reported = standin::knobs().reportedSizeOverride;
        break;
    default:
        break;
    }

    std::optional<Stored> second = first; // the value as the data query sees it
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 1:
        second.reset();
        standin::knobs().betweenQueries = [] { standin::DeleteValue(kPath, u"Value"); };
        break;
    case 2:
        second = Stored{PickType(in), in.ConsumeRemainingBytes<std::uint8_t>()};
        standin::knobs().betweenQueries = [v = *second] {
            standin::SetValue(kPath, u"Value", v.type, v.data);
        };
        break;
    default:
        break;
    }

    const auto got = GetRegString(RegistryRoot::LocalMachine, kPath, u"Value");

    const std::string copied = second ? AnsiOf(*second) : std::string();
    const bool shouldBePresent = first.type == REG_SZ && second && copied.size() <= reported;
    Check(got.has_value() == shouldBePresent,
          "present exactly when REG_SZ and the data query succeeds");
    if (got) {
        Check(got->find(u'\0') == std::u16string::npos, "no NUL in a present text");
        const std::u16string converted = FromAnsi(copied) + std::u16string(reported, u' ');
        Check(converted.compare(0, got->size(), *got) == 0, "present text starts the copied data");
    }
    Check(standin::OpenKeys() == 0 && standin::BadCloses() == 0, "every key closed exactly once");
    return 0;
}
