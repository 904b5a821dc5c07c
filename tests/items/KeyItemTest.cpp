#include <gtest/gtest.h>

#include <sstream>

#include "ItemFixture.h"
#include "core/Platform.h"
#include "items/RegDeleteSubKeysItem.h"
#include "items/RegKeyItem.h"

namespace {

// The text with the key shown as K and the backup as B.
std::wstring named(std::wstring text, const std::wstring& key, const std::wstring& backup = L"") {
    for (const auto& [from, to] : {std::pair{key, L"K"}, {backup, L"B"}})
        for (size_t at; !from.empty() && (at = text.find(from)) != std::wstring::npos;)
            text.replace(at, from.size(), to);
    return text;
}

// The file's lines that name keys or set the unnamed value, or all of them.
std::wstring linesOf(RegistryStorage& storage, const std::wstring& key, bool all = false) {
    std::wostringstream out;
    storage.write(out);
    std::wistringstream lines(named(out.str(), key));
    std::wstring text;
    for (std::wstring line; std::getline(lines, line);)
        if (all || line[0] == L'[' || line[0] == L'@')
            text += (text.empty() ? L"" : L" ") + line.substr(0, line.size() - 1);  // less the CR
    return text;
}

// The whole tree below the key as a file would hold it, or "-" without it.
std::wstring tree(const std::wstring& key, bool all) {
    RegistryStorage storage(L"unused");
    try {
        storage.getKey(key).loadTree();
    } catch (const RegKeyException&) {
        return L"-";
    }
    return linesOf(storage, key, all);
}

// The state loaded | the file saved once checked or unchecked | the key
// after applying.
TEST_F(ItemTest, KeyItemsCreateAndDeleteTheirKeyAndSaveOnlyWhatApplyingWrites) {
    const std::vector<Param> on = {{L"type", L"REG_SZ"}, {L"value", L"on"}};
    const struct {
        std::wstring data;  // of the unnamed value; "+" a key without one, "" none
        bool checked, bare;
        std::wstring shown;
    } cases[] = {
        {L"", true, false, L"0 | [K] @=\"on\" | [K] @=\"on\""},
        {L"", true, true, L"0 | [K] | [K]"},
        {L"old", true, false, L"1 | [K] | [K] @=\"old\""},
        {L"+", false, false, L"1 | [-K] | -"},
        {L"", false, false, L"0 | [-K] | -"},
    };
    int row = 0;
    for (const auto& c : cases) {
        const std::wstring below = toString(++row);
        if (!c.data.empty())
            scratch_.set(c.data == L"+" ? L"x" : nullptr, REG_SZ, raw(c.data), below);
        auto item = configured<RegKeyItem>(c.bare ? std::vector<Param>{on[0]} : on, below);
        std::wstring shown = toString(item->getCurrentState()) + L" | ";
        item->setCurrentState(c.checked);
        SaveTarget target(tempPath(L"velmora-unused.reg"));
        item->store(target);
        item->apply();
        shown +=
            linesOf(target.getStorage(), keyPath(below)) + L" | " + tree(keyPath(below), false);
        EXPECT_EQ(shown, c.shown) << row;
    }
    scratch_.set(L"x", REG_SZ, raw(L""), L"sub\\below");
    auto parent = configured<RegKeyItem>(on, L"sub");
    parent->setCurrentState(false);
    EXPECT_EQ(messageOf<RegKeyException>([&] { parent->apply(); }), L"delete sub key: sub");
    EXPECT_EQ(messageOf<ConfigException>([&] {
                  configured<RegKeyItem>({{L"type", L"REG_DWORD"}});
              }),
              L"support only REG_SZ");
}

// The state loaded (~ frozen) | the file saved once checked | the failure
// and the keys after cleaning, + with the backup on disk | the restore:
// "same" when the tree is again what it was before cleaning.
TEST_F(ItemTest, CleaningBacksUpFirstDeletesAllOrNothingAndRestoringBringsBackTheTree) {
    const struct {
        std::vector<std::wstring> keys;  // none: no key at all
        std::wstring kept;
        bool loseBackup;
        std::wstring shown;
    } cases[] = {
        {{L"Keep\\Inner", L"a", L"B"},
         L"kEEp",
         false,
         L"0 | [-K] [K] [K\\Keep] [K\\Keep\\Inner] | [K] [K\\Keep] [K\\Keep\\Inner] + | same"},
        {{L"a", L"b\\c"},
         L"",
         false,
         L"0 | [-K] [K] | delete sub key: b [K] [K\\a] [K\\b] [K\\b\\c] + | same"},
        {{L"KEEP"}, L"keep", false, L"1~ | [-K] [K] [K\\KEEP] | [K] [K\\KEEP] | same"},
        {{}, L"", false, L"1~ |  | - | same"},
        {{L"a"}, L"", true, L"0 | [-K] [K] | [K] + | the backup brought no sub key back: B to K"},
    };
    int row = 0;
    for (const auto& c : cases) {
        const std::wstring below = toString(++row), key = keyPath(below);
        for (const std::wstring& sub : c.keys)
            scratch_.set(L"v", REG_SZ, raw(sub), below + L"\\" + sub);
        if (!c.keys.empty()) scratch_.set(L"top", REG_DWORD, raw(uint32_t(row)), below);
        // Relative: the backup's one name is decided while configuring.
        const std::wstring before = tree(key, true), backup = L"velmora-backup-" + below;
        auto item = configured<RegDeleteSubKeysItem>(
            {{L"save", L"", {}, {{L"key", c.kept}}}, {L"backup", backup}}, below);
        ASSERT_EQ(item->getBackupPath(), fullPathOf(backup + L".reg"));
        std::wstring shown =
            toString(item->getCurrentState()) + (item->isFrozen() ? L"~ | " : L" | ");
        item->setCurrentState(true);
        SaveTarget target(tempPath(L"velmora-unused.reg"));
        item->store(target);
        const std::wstring failure = messageOf<RegKeyException>([&] { item->apply(); });
        shown +=
            linesOf(target.getStorage(), key) + L" | " +
            (startsWith(failure, L"(") ? L"" : failure + L" ") + tree(key, false) +
            (GetFileAttributesW(item->getBackupPath().c_str()) != MAXDWORD ? L" + | " : L" | ");
        if (c.loseBackup) DeleteFileW(item->getBackupPath().c_str());
        item->setCurrentState(false);
        const std::wstring restored = messageOf<IOException>([&] { item->apply(); });
        if (!startsWith(restored, L"("))
            shown += named(restored, key, item->getBackupPath());
        else
            shown += tree(key, true) == before ? L"same" : tree(key, true);
        EXPECT_EQ(shown, c.shown) << row;
        DeleteFileW(item->getBackupPath().c_str());
    }
}

}  // namespace
