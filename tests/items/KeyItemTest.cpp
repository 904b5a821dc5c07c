#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "ItemFixture.h"
#include "core/Platform.h"
#include "items/RegDeleteSubKeysItem.h"
#include "items/RegKeyItem.h"

namespace {

// The text with each of the paths replaced by its short name.
std::wstring shortened(std::wstring text, const std::vector<std::pair<std::wstring, std::wstring>>& names) {
    for (const auto& [from, to] : names)
        for (size_t at; (at = text.find(from)) != std::wstring::npos;) text.replace(at, from.size(), to);
    return text;
}

// The lines of the saved file that name keys or set an unnamed value.
std::wstring savedLines(SaveTarget& target) {
    std::wostringstream out;
    target.getStorage().write(out);
    std::wistringstream lines(out.str());
    std::wstring text;
    for (std::wstring line; std::getline(lines, line);)
        if (line[0] == L'[' || line[0] == L'@')
            text += (text.empty() ? L"" : L" ") + line.substr(0, line.size() - 1);
    return text;
}

// The values, each as its name, type and data, and the sub-keys, each as
// its name and its own tree in braces, sorted; "-" for a missing key. Read
// with the plain API.
std::wstring tree(const std::wstring& subKey, bool values) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key) != 0) return L"-";
    std::vector<std::wstring> parts;
    wchar_t name[256];
    BYTE data[256];
    for (DWORD i = 0, length = 256, type, size = sizeof data;
         values && RegEnumValueW(key, i, name, &length, nullptr, &type, data, &size) == 0;
         ++i, length = 256, size = sizeof data)
        parts.push_back(L":" + std::wstring(name) + L"=" + toString(type) + std::wstring(data, data + size));
    for (DWORD i = 0, length = 256;
         RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == 0; ++i, length = 256)
        parts.push_back(name + (L"{" + tree(subKey + L"\\" + name, values) + L"}"));
    RegCloseKey(key);
    std::sort(parts.begin(), parts.end());
    std::wstring text;
    for (const std::wstring& part : parts) text += (text.empty() ? L"" : L" ") + part;
    return text;
}

// The state loaded | the file saved once checked or unchecked | what
// applying left: the unnamed value, + for a key without one, - for none.
TEST_F(ItemTest, KeyItemsCreateAndDeleteTheirKeyAndSaveOnlyWhatApplyingWrites) {
    const std::vector<Param> on = {{L"type", L"REG_SZ"}, {L"value", L"on"}};
    const struct {
        std::wstring data;  // of the unnamed value; "+" a key without one, "" none
        bool checked, bare;
        std::wstring shown;
    } cases[] = {
        {L"", true, false, L"0 | [K] @=\"on\" | on"}, {L"", true, true, L"0 | [K] | +"},
        {L"old", true, false, L"1 | [K] | old"},      {L"+", false, false, L"1 | [-K] | -"},
        {L"", false, false, L"0 | [-K] | -"},
    };
    int row = 0;
    for (const auto& c : cases) {
        const std::wstring below = toString(++row), subKey = scratch_.subKey() + L"\\" + below;
        if (!c.data.empty()) scratch_.set(c.data == L"+" ? L"x" : nullptr, REG_SZ, raw(c.data), below);
        auto item = configured<RegKeyItem>(c.bare ? std::vector<Param>{on[0]} : on, below);
        const std::wstring loaded = toString(item->getCurrentState());
        item->setCurrentState(c.checked);
        SaveTarget target(tempPath(L"velmora-unused.reg"));
        item->store(target);
        item->apply();
        HKEY key;
        wchar_t text[16] = L"-";
        if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key) == 0) {
            DWORD size = sizeof text - sizeof(wchar_t);
            text[0] = L'+';
            RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
            RegCloseKey(key);
        }
        EXPECT_EQ(loaded + L" | " + shortened(savedLines(target), {{keyPath(below), L"K"}}) + L" | " + text,
                  c.shown) << row;
    }
    scratch_.set(L"x", REG_SZ, raw(L""), L"sub\\below");
    auto parent = configured<RegKeyItem>(on, L"sub");
    parent->setCurrentState(false);
    EXPECT_EQ(messageOf<RegKeyException>([&] { parent->apply(); }), L"delete sub key: sub");
    EXPECT_EQ(messageOf<ConfigException>([&] { configured<RegKeyItem>({{L"type", L"REG_DWORD"}}); }),
              L"support only REG_SZ");
}

// The state loaded (~ frozen) | the file saved once checked | the failure
// and the sub-keys after cleaning, + with the backup on disk | the restore:
// "same" when the tree is again what it was before cleaning.
TEST_F(ItemTest, CleaningBacksUpFirstDeletesAllOrNothingAndRestoringBringsBackTheTree) {
    const struct {
        std::vector<std::wstring> keys;  // none: no key at all
        std::wstring kept;
        bool loseBackup;
        std::wstring shown;
    } cases[] = {
        {{L"Keep\\Inner", L"a", L"B"}, L"kEEp", false,
         L"0 | [-K] [K] [K\\Keep] [K\\Keep\\Inner] | Keep{Inner{}} + | same"},
        {{L"a", L"b\\c"}, L"", false, L"0 | [-K] [K] | delete sub key: b a{} b{c{}} + | same"},
        {{L"KEEP"}, L"keep", false, L"1~ | [-K] [K] [K\\KEEP] | KEEP{} | same"},
        {{}, L"", false, L"1~ |  | - | same"},
        {{L"a"}, L"", true, L"0 | [-K] [K] |  + | the backup brought no sub key back: B to K"},
    };
    int row = 0;
    for (const auto& c : cases) {
        const std::wstring below = toString(++row), subKey = scratch_.subKey() + L"\\" + below;
        for (const std::wstring& key : c.keys) scratch_.set(L"v", REG_SZ, raw(key), below + L"\\" + key);
        if (!c.keys.empty()) scratch_.set(L"top", REG_DWORD, raw(uint32_t(row)), below);
        const std::wstring before = tree(subKey, true), backup = L"velmora-backup-" + below;
        // Relative: the backup's one name is decided while configuring.
        auto item = configured<RegDeleteSubKeysItem>(
            {{L"save", L"", {}, {{L"key", c.kept}}}, {L"backup", backup}}, below);
        ASSERT_EQ(item->getBackupPath(), fullPathOf(backup + L".reg"));
        const std::wstring loaded = toString(item->getCurrentState()) + (item->isFrozen() ? L"~" : L"");
        item->setCurrentState(true);
        SaveTarget target(tempPath(L"velmora-unused.reg"));
        item->store(target);
        std::wstring shown = messageOf<RegKeyException>([&] { item->apply(); });
        shown = (startsWith(shown, L"(") ? L"" : shown + L" ") + tree(subKey, false) +
                (GetFileAttributesW(item->getBackupPath().c_str()) != INVALID_FILE_ATTRIBUTES ? L" +" : L"");
        if (c.loseBackup) DeleteFileW(item->getBackupPath().c_str());
        item->setCurrentState(false);
        std::wstring restored = messageOf<IOException>([&] { item->apply(); });
        if (startsWith(restored, L"(")) restored = tree(subKey, true) == before ? L"same" : tree(subKey, true);
        EXPECT_EQ(shortened(loaded + L" | " + savedLines(target) + L" | " + shown + L" | " + restored,
                            {{item->getBackupPath(), L"B"}, {keyPath(below), L"K"}}),
                  c.shown) << row;
        DeleteFileW(item->getBackupPath().c_str());
    }
}

}  // namespace
