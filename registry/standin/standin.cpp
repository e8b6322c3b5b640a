// In-memory stand-in for the advapi32 registry functions and the ANSI code page
// (Windows-1252), modelling documented Windows behaviour. Single-threaded, like
// its callers.

#include "standin_registry.h"

#include "ansi.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <map>
#include <optional>

namespace {

// Windows-1252 bytes 0x80..0x9F; the five undefined ones map to the C1 control of
// the same number, as MultiByteToWideChar does.
constexpr char16_t kHigh1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ToByte(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (unsigned i = 0; i < 32; ++i) {
        if (kHigh1252[i] == unit) return static_cast<char>(0x80 + i);
    }
    return '?';
}

char16_t ToUnit(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHigh1252[byte - 0x80] : char16_t{byte};
}

// The registry matches names without regard to case.
std::u16string Fold(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out) {
        if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c -= 0x20;
    }
    return out;
}

struct Value {
    std::u16string name;
    DWORD type;
    std::vector<std::uint8_t> data;
};

struct State {
    std::map<std::u16string, std::vector<Value>> keys; // by folded path; "" is HKLM itself
    std::map<HKEY, std::u16string> open;               // handle -> folded path
    std::uintptr_t nextHandle = 0x1000;
    int badCloses = 0;
    std::vector<std::string> queried;
    standin::Knobs knobs;
};

State& state() {
    static State s;
    return s;
}

const HKEY kLocalMachine = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(INT32_C(-2147483646)));

std::optional<std::u16string> PathOf(HKEY key) {
    if (key == kLocalMachine) return std::u16string();
    const auto it = state().open.find(key);
    if (it == state().open.end()) return std::nullopt;
    return it->second;
}

Value* Find(const std::u16string& path, std::u16string_view name) {
    const auto key = state().keys.find(path);
    if (key == state().keys.end()) return nullptr;
    const std::u16string folded = Fold(name);
    for (auto& v : key->second) {
        if (Fold(v.name) == folded) return &v;
    }
    return nullptr;
}

bool IsString(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

} // namespace

std::string ToAnsi(std::u16string_view text) {
    std::string out(text.size(), '\0');
    std::transform(text.begin(), text.end(), out.begin(), ToByte);
    return out;
}

std::u16string FromAnsi(std::string_view bytes) {
    std::u16string out(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), out.begin(),
                   [](char b) { return ToUnit(static_cast<unsigned char>(b)); });
    return out;
}

LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, HKEY* phkResult) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    const auto base = PathOf(hKey);
    if (lpSubKey == nullptr || *lpSubKey == '\0') {
        *phkResult = hKey; // no new handle: the caller's own comes back
        return ERROR_SUCCESS;
    }
    if (!base) return ERROR_INVALID_HANDLE;
    if (*lpSubKey == '\\') return ERROR_BAD_PATHNAME;
    std::u16string sub = FromAnsi(lpSubKey);
    while (!sub.empty() && sub.back() == u'\\')
        sub.pop_back();
    const std::u16string path = Fold(base->empty() ? sub : *base + u"\\" + sub);
    if (state().keys.count(path) == 0) {
        *phkResult = nullptr;
        return ERROR_FILE_NOT_FOUND;
    }
    const HKEY handle = reinterpret_cast<HKEY>(state().nextHandle);
    state().nextHandle += 4;
    state().open.emplace(handle, path);
    *phkResult = handle;
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                      DWORD* lpcbData) {
    State& s = state();
    s.queried.emplace_back(lpValueName ? lpValueName : "");
    // Wine writes REG_NONE on entry; Windows leaves it undefined on failure.
    if (lpType) *lpType = REG_NONE;
    const auto path = PathOf(hKey);
    if (!path) return ERROR_INVALID_HANDLE;
    if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    const Value* value = Find(*path, FromAnsi(lpValueName ? lpValueName : ""));
    if (value == nullptr) {
        if (lpcbData && !lpData) *lpcbData = 0;
        return ERROR_FILE_NOT_FOUND;
    }
    const std::string data = standin::AnsiData(value->type, value->data);
    const auto size = static_cast<DWORD>(data.size());
    if (lpType) *lpType = value->type;
    if (lpData == nullptr) {
        if (lpcbData) {
            *lpcbData = s.knobs.reportedSizeOverride ? s.knobs.reportedSizeOverride
                                                     : size + s.knobs.extraReportedBytes;
        }
        if (auto hook = std::exchange(s.knobs.betweenQueries, nullptr)) hook();
        return ERROR_SUCCESS;
    }
    if (*lpcbData < size) {
        *lpcbData = size; // the buffer stays untouched
        return ERROR_MORE_DATA;
    }
    std::memcpy(lpData, data.data(), data.size());
    // A terminator is added when there is room and the data lacks one; it is not
    // counted in the size.
    if (IsString(value->type) && *lpcbData > size && size > 0 && data.back() != '\0') {
        lpData[size] = 0;
    }
    *lpcbData = size;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY hKey) {
    if (state().open.erase(hKey) == 1) return ERROR_SUCCESS;
    ++state().badCloses; // includes closing a predefined root, which nobody opened
    return ERROR_INVALID_HANDLE;
}

namespace standin {

void Reset() {
    state() = State{};
}

void CreateKey(std::u16string_view path) {
    auto& keys = state().keys;
    keys[u""];
    for (std::size_t end = 0; end != std::u16string_view::npos;) {
        end = path.find(u'\\', end + 1);
        keys[Fold(path.substr(0, end))];
    }
}

void SetValue(std::u16string_view path, std::u16string_view name, DWORD type,
              std::vector<std::uint8_t> data) {
    CreateKey(path);
    auto& values = state().keys[Fold(path)];
    if (Value* v = Find(Fold(path), name)) {
        v->type = type;
        v->data = std::move(data);
    } else {
        values.push_back(Value{std::u16string(name), type, std::move(data)});
    }
}

void DeleteValue(std::u16string_view path, std::u16string_view name) {
    auto& values = state().keys[Fold(path)];
    const std::u16string folded = Fold(name);
    std::erase_if(values, [&](const Value& v) { return Fold(v.name) == folded; });
}

std::string AnsiData(DWORD type, const std::vector<std::uint8_t>& data) {
    if (!IsString(type)) return std::string(data.begin(), data.end());
    std::u16string units(data.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    }
    return ToAnsi(units);
}

Knobs& knobs() {
    return state().knobs;
}
int OpenKeys() {
    return static_cast<int>(state().open.size());
}
int BadCloses() {
    return state().badCloses;
}
std::vector<std::string> QueriedNames() {
    return state().queried;
}

} // namespace standin
