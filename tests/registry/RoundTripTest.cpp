// Random registry trees are backed up into a registry script, deleted and
// imported again; the registry editor, and Wine's reg as a second reader, must
// give back every key and value byte for byte. The oracle is a raw dump made
// with the registry API, never an export, which is not exact.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <map>
#include <random>

#include "RegistryDump.h"
#include "ScratchKey.h"
#include "core/Exception.h"
#include "registry/RegistryStorage.h"
#include "registry/RegistryStorageKey.h"

namespace {

class TreeMaker {
public:
    explicit TreeMaker(unsigned seed) : random_(seed) {}

    // A tree of up to three levels below subKey.
    void makeTree(const std::wstring& subKey, int depth) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        for (int i = pick(9); i > 0; --i) setValue(key);
        RegCloseKey(key);
        if (depth == 3) return;
        for (int i = pick(depth == 0 ? 4 : 3); i > 0; --i) {
            makeTree(subKey + L"\\" + name(false), depth + 1);
        }
    }

    // A data string written raw would create this key on import.
    static constexpr const wchar_t* injected = L"Software\\velmora-test\\round-trip-injected";

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // Random pieces of the characters given; a surrogate pair stays whole.
    std::wstring pieces(const std::wstring& from, int count) {
        std::wstring out;
        for (; count > 0; --count) {
            const wchar_t c = from[pick(static_cast<int>(from.size()))];
            out += c == 0xD83D ? L"\xD83D\xDE00" : c == L'P' ? L"%PATH%" : std::wstring(1, c);
        }
        return out;
    }

    // Key names cannot hold the backslash, the last character.
    std::wstring name(bool value) {
        const std::wstring chars = L"aK\" =;[]@-%0\x65E5\xD83D\\";
        const std::wstring out = pieces(value ? chars : chars.substr(0, 14), 1 + pick(8));
        return value && pick(4) == 0 ? out + L"\\" : out;
    }

    std::wstring text() {
        std::wstring out = pieces({L"t \"\\\r\n\r\0\x3042\xD83DP=;@", 14}, pick(8));
        // Written raw, these lines would set the key's default value, or make
        // a key (the path's backslashes, escaped, keep regedit from that).
        if (pick(8) == 0) out += L"\r\n@=dword:00000001\r\n";
        if (pick(8) == 0) out += L"\r\n[HKEY_CURRENT_USER\\" + std::wstring(injected) + L"]\r\n";
        return out + L'\0';
    }

    std::string bytes(size_t size) {
        std::string out(size, '\0');
        for (char& c : out) c = static_cast<char>(pick(256));
        return out;
    }

    void setValue(HKEY key) {
        static const size_t binarySizes[] = {0, 1, 2, 4, 17, 18, 22, 23, 24, 25, 49, 50, 300};
        std::wstring multi;
        for (int i = pick(4); i >= 0; --i) multi += (pick(3) ? L"s" + name(false) : L"") + L'\0';
        // Strings as the registry may hold them: without a terminator, or
        // of an odd number of bytes.
        std::string open = bytesOf(text()), odd = bytesOf(multi + L'\0');
        open.resize(open.size() - 2);
        odd.pop_back();
        const std::pair<DWORD, std::string> values[] = {
            {REG_SZ, bytesOf(text())},
            {REG_SZ, pick(2) ? open : bytesOf(text())},
            {REG_SZ, pick(2) ? "" : std::string(2, '\0')},
            {REG_EXPAND_SZ, bytesOf(L"%SystemRoot%\\" + text())},
            {REG_MULTI_SZ, pick(2) ? odd : bytesOf(multi + L'\0')},
            {REG_BINARY, bytes(pick(40) == 0 ? 60 * 1024 : binarySizes[pick(13)])},
            {REG_DWORD, bytes(pick(2) ? 4 : 8)},
            {REG_QWORD, bytes(8)},
            {REG_NONE, bytes(pick(2) ? 0 : 5)},
            {0x1234 + pick(3) * 0x100000, bytes(pick(20))},
        };
        const auto& [type, data] = values[pick(10)];
        const std::wstring valueName = name(true);
        // U+FFFF is a name like any other, never the default value.
        const wchar_t* const names[] = {nullptr, L"\xFFFF", valueName.c_str()};
        ASSERT_EQ(setRaw(key, names[std::min(pick(16), 2)], type, data), ERROR_SUCCESS);
    }

    std::mt19937 random_;
};

TEST(RoundTrip, RegistryEditorRestoresRandomTreesByteForByte) {
    const char* given = std::getenv("VELMORA_ROUND_TRIP_SEED");
    const unsigned seed = given ? std::strtoul(given, nullptr, 10) : std::time(nullptr);
    std::printf("seed %u (set VELMORA_ROUND_TRIP_SEED to replay)\n", seed);
    const ScratchKey scratch;
    RegDeleteTreeW(HKEY_CURRENT_USER, TreeMaker::injected);
    TreeMaker maker(seed);
    const std::wstring file = tempPath(L"velmora-round-trip.reg");
    const std::pair<const char*, std::function<bool()>> readers[] = {
        {"regedit", [&] { return importWithRetries(file), true; }},
        {"reg import",
         [&] { return _wsystem((L"reg.exe import \"" + file + L"\" >nul 2>&1").c_str()) == 0; }},
    };

    for (int batch = 0; batch < 20 && !testing::Test::HasFailure(); ++batch) {
        const std::wstring batchKey = scratch.subKey() + L"\\b" + std::to_wstring(batch);
        try {
            RegistryStorage storage(file);
            for (int tree = 0; tree < 10; ++tree) {
                const std::wstring treeKey = batchKey + L"\\t" + std::to_wstring(tree);
                maker.makeTree(treeKey, 0);
                storage.getKey(L"HKEY_CURRENT_USER\\" + treeKey).loadTree();
            }
            storage.save();
        } catch (const Exception& e) {
            FAIL() << e.getMessage() << ", seed " << seed;
        }
        const Dump original = dump(batchKey);
        for (const auto& [reader, import] : readers) {
            // Under Wine a process now and then fails to start ("failed to
            // map the shared user data"). Such an import is tried again from a
            // deleted tree; what an import that ran restored is never excused.
            int attempts = 0;
            do RegDeleteTreeW(HKEY_CURRENT_USER, batchKey.c_str());
            while (!import() && ++attempts < 3);
            ASSERT_LT(attempts, 3) << reader << " could not be started";
            EXPECT_EQ(differences(original, dump(batchKey)), L"")
                << reader << ", batch " << batch << ", seed " << seed;
            EXPECT_TRUE(dump(TreeMaker::injected).empty()) << reader << ", seed " << seed;
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, batchKey.c_str());
    }
    DeleteFileW(file.c_str());
}

}  // namespace
