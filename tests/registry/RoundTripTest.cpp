// Random registry trees are backed up into a registry script, deleted and
// imported again; the registry editor, and Wine's reg as a second reader, must
// give back every key and value byte for byte. The oracle is a raw dump made
// with the registry API, never an export, which is not exact.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <map>
#include <random>

#include "ScratchKey.h"
#include "core/Exception.h"
#include "core/StringUtil.h"
#include "registry/RegistryStorage.h"
#include "registry/RegistryStorageKey.h"

namespace {

constexpr int batches = 20;
constexpr int treesPerBatch = 10;

// Key path below the dumped key -> value name ("" for the default) -> type and bytes.
using Values = std::map<std::wstring, std::pair<DWORD, std::string>>;
using Dump = std::map<std::wstring, Values>;

void dump(HKEY parent, const std::wstring& subKey, const std::wstring& relative, Dump& out) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD subKeys = 0, longestKey = 0, values = 0, longestName = 0, longestData = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, &longestKey, nullptr, &values,
                     &longestName, &longestData, nullptr, nullptr);
    std::vector<wchar_t> name(std::max(longestName, longestKey) + 1);
    std::vector<char> data(longestData + 1);
    Values& entries = out[relative];
    for (DWORD i = 0; i < values; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &size);
        entries[std::wstring(name.data(), nameLength)] = {type, std::string(data.data(), size)};
    }
    for (DWORD i = 0; i < subKeys; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
        const std::wstring child(name.data(), nameLength);
        dump(key, child, relative + L"\\" + child, out);
    }
    RegCloseKey(key);
}

std::string printable(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) {
        out += c >= 0x20 && c < 0x7f ? std::string(1, static_cast<char>(c))
                                     : "\\u" + std::to_string(c);
    }
    return out;
}

// The first differences, readably, or "" when the dumps agree.
std::string differences(const Dump& expected, const Dump& actual) {
    static const Values none;
    auto valuesOf = [](const Dump& dump, const std::wstring& key) {
        const auto found = dump.find(key);
        return found == dump.end() ? &none : &found->second;
    };
    Dump keys = expected;
    keys.insert(actual.begin(), actual.end());
    std::string report;
    for (const auto& [key, unused] : keys) {
        if (!expected.count(key) || !actual.count(key)) {
            report += (expected.count(key) ? "missing key " : "extra key ") + printable(key) + "\n";
            continue;
        }
        Values names = *valuesOf(expected, key);
        names.insert(valuesOf(actual, key)->begin(), valuesOf(actual, key)->end());
        for (const auto& [name, ignored] : names) {
            const auto before = expected.at(key).find(name);
            const auto after = actual.at(key).find(name);
            const char* what = before == expected.at(key).end()  ? "extra"
                               : after == actual.at(key).end()   ? "missing"
                               : before->second != after->second ? "changed"
                                                                 : nullptr;
            if (what)
                report +=
                    std::string(what) + " value " + printable(key) + " : " + printable(name) + "\n";
        }
    }
    return report.substr(0, 4000);
}

class TreeMaker {
public:
    TreeMaker(unsigned seed, std::wstring injectedPath)
        : random_(seed), injected_(std::move(injectedPath)) {}

    // A tree of up to three levels below parent\name.
    void makeTree(const std::wstring& subKey, int depth) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS)
            << printable(subKey);
        const int valueCount = pick(9);
        for (int i = 0; i < valueCount; ++i) setValue(key);
        RegCloseKey(key);
        if (depth == 3) return;
        const int children = pick(depth == 0 ? 4 : 3);
        for (int i = 0; i < children; ++i) makeTree(subKey + L"\\" + name(false), depth + 1);
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::wstring name(bool value) {
        static const wchar_t* const pieces[] = {L"a",
                                                L"Key",
                                                L"x",
                                                L"\"",
                                                L" ",
                                                L"=",
                                                L";",
                                                L"[",
                                                L"]",
                                                L"@",
                                                L"-",
                                                L"%",
                                                L"\x65E5\x672C",
                                                L"\xD83D\xDE00",
                                                L"0",
                                                L"\\"};
        // Key names cannot hold the backslash, the last piece.
        std::wstring out;
        const int length = 1 + pick(8);
        for (int i = 0; i < length; ++i) out += pieces[pick(value ? 16 : 15)];
        if (value && pick(6) == 0) out += L"\\";
        return out;
    }

    std::wstring text() {
        static const std::wstring pieces[] = {L"text",   L" ",
                                              L"\"",     L"\\",
                                              L"\r\n",   L"\r",
                                              L"\n",     std::wstring(1, L'\0'),
                                              L"\x3042", L"\xD83D\xDE00",
                                              L"%PATH%", L"=",
                                              L";",      L"@"};
        std::wstring out;
        const int length = pick(6);
        for (int i = 0; i < length; ++i) out += pieces[pick(14)];
        // Written raw, these lines would set the key's default value, or make
        // a key (the path's backslashes, escaped, keep regedit from that).
        if (pick(8) == 0) out += L"\r\n@=dword:00000001\r\n";
        if (pick(8) == 0) out += L"\r\n[" + injected_ + L"]\r\n\"evil\"=dword:00000001\r\n";
        return out;
    }

    static std::string bytesOf(const std::wstring& text) {
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    }

    std::string randomBytes(size_t size) {
        std::string out(size, '\0');
        for (char& c : out) c = static_cast<char>(pick(256));
        return out;
    }

    void setValue(HKEY key) {
        static const size_t binarySizes[] = {0, 1, 17, 18, 22, 23, 24, 25, 49, 50, 300};
        DWORD type = REG_SZ;
        std::string data;
        switch (pick(12)) {
            case 0:
                data = bytesOf(text() + L'\0');
                break;
            case 1:
                data = pick(2) ? "" : std::string(2, '\0');
                break;
            case 2:
                type = REG_EXPAND_SZ;
                data = bytesOf(L"%SystemRoot%\\" + text() + L'\0');
                break;
            case 3: {
                type = REG_MULTI_SZ;
                std::wstring strings;
                for (int i = pick(4); i >= 0; --i)
                    strings += (pick(3) ? L"s" + name(false) : L"") + L'\0';
                data = bytesOf(strings + L'\0');
                break;
            }
            case 4:
                type = REG_BINARY;
                data = randomBytes(pick(40) == 0 ? 60 * 1024 : binarySizes[pick(11)]);
                break;
            case 5:
                type = REG_DWORD;
                data = randomBytes(pick(2) ? 4 : 8);
                break;
            case 6:
                type = REG_QWORD;
                data = randomBytes(8);
                break;
            case 7:
                type = REG_NONE;
                data = randomBytes(pick(2) ? 0 : 5);
                break;
            case 8:
                type = 0x1234 + pick(3) * 0x100000;
                data = randomBytes(pick(20));
                break;
            case 9:
                type = REG_BINARY;
                data = randomBytes(pick(5));
                break;
            default:
                data = bytesOf(text() + L'\0');
                break;
        }
        const std::wstring valueName = name(true);
        ASSERT_EQ(setRawValue(key, L"", pick(8) == 0 ? nullptr : &valueName, type, data),
                  ERROR_SUCCESS);
    }

    std::mt19937 random_;
    std::wstring injected_;
};

unsigned seedOfThisRun() {
    const char* given = std::getenv("VELMORA_ROUND_TRIP_SEED");
    return given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10))
                 : static_cast<unsigned>(std::time(nullptr));
}

// A data string that was written raw would create this key on import. Its
// path does not depend on the process, so that a seed replays the same files.
const std::wstring injectedKey = L"Software\\velmora-test\\round-trip-injected";

bool exists(const std::wstring& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// Under Wine a process now and then fails to start ("failed to map the
// shared user data"), which an import reports as a failure to launch. Such an
// import is tried again, from a deleted tree; what an import that ran
// restored is never excused. Returns the number of retries, or -1.
int importRetryingLaunchFailures(const std::function<bool()>& import,
                                 const std::wstring& batchKey) {
    for (int retries = 0; retries < 3; ++retries) {
        RegDeleteTreeW(HKEY_CURRENT_USER, batchKey.c_str());
        try {
            if (import()) return retries;
        } catch (const IOException& e) {
            std::printf("import failed, retrying: %s\n", printable(e.getMessage()).c_str());
        }
    }
    return -1;
}

void restoreRandomTrees();

TEST(RoundTrip, RegistryEditorRestoresRandomTreesByteForByte) {
    try {
        restoreRandomTrees();
    } catch (const Exception& e) {
        FAIL() << printable(e.getMessage());
    }
}

void restoreRandomTrees() {
    const unsigned seed = seedOfThisRun();
    std::printf("seed %u (set VELMORA_ROUND_TRIP_SEED to replay)\n", seed);
    const ScratchKey scratch;
    RegDeleteTreeW(HKEY_CURRENT_USER, injectedKey.c_str());
    TreeMaker maker(seed, L"HKEY_CURRENT_USER\\" + injectedKey);
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring file = joinPath(temp, L"velmora-round-trip.reg");

    int treesPassed = 0;
    int retries = 0;
    size_t valuesPassed = 0;
    for (int batch = 0; batch < batches && !testing::Test::HasFailure(); ++batch) {
        const std::wstring batchKey = scratch.subKey() + L"\\b" + std::to_wstring(batch);
        RegistryStorage storage(file);
        for (int tree = 0; tree < treesPerBatch; ++tree) {
            const std::wstring treeKey = batchKey + L"\\t" + std::to_wstring(tree);
            maker.makeTree(treeKey, 0);
            storage.getKey(L"HKEY_CURRENT_USER\\" + treeKey).loadTree();
        }
        storage.save();
        Dump original;
        dump(HKEY_CURRENT_USER, batchKey, L"", original);

        const std::pair<const char*, std::function<bool()>> readers[] = {
            {"regedit",
             [&] {
                 RegistryStorage::importRegFile(file);
                 return true;
             }},
            {"reg import",
             [&] {
                 return _wsystem((L"reg.exe import \"" + file + L"\" >nul 2>&1").c_str()) == 0;
             }},
        };
        for (const auto& [reader, import] : readers) {
            const int retried = importRetryingLaunchFailures(import, batchKey);
            ASSERT_GE(retried, 0) << reader << " could not be started";
            retries += retried;
            Dump restored;
            dump(HKEY_CURRENT_USER, batchKey, L"", restored);
            const std::string difference = differences(original, restored);
            EXPECT_TRUE(difference.empty())
                << reader << ", batch " << batch << ", seed " << seed << ":\n"
                << difference;
            EXPECT_FALSE(exists(injectedKey)) << reader << ", batch " << batch << ", seed " << seed;
        }
        if (testing::Test::HasFailure()) break;
        treesPassed += treesPerBatch;
        for (const auto& [key, values] : original) valuesPassed += values.size();
        RegDeleteTreeW(HKEY_CURRENT_USER, batchKey.c_str());
    }
    std::printf(
        "round trip: %d trees, %zu values restored exactly by both readers (%d launch retries)\n",
        treesPassed, valuesPassed, retries);
    DeleteFileW(file.c_str());
}

}  // namespace
