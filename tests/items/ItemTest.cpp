#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "ItemFixture.h"
#include "core/Constants.h"
#include "items/PropertyChangeListener.h"

namespace {

std::vector<Param> entries(const std::wstring& type, const std::wstring& name) {
    return {{L"value", L"v"}, {L"type", type}, {L"name", name}, {L"default", L"7"}};
}

std::vector<Param> entry(const std::wstring& name, const std::wstring& index,
                         const std::wstring& correction = L"") {
    return {{L"value", L"t"},   {L"type", L"REG_SZ"}, {L"name", name},
            {L"default", L"7"}, {L"index", index},    {L"correction", correction}};
}

// Data that matches no state or choice, or that is missing (REG_NONE here),
// shows the default, and applying leaves it as it is. A list is written
// whole, each string with its NUL and one more at its end, by applying and
// by saving alike; text read without a terminator is written back whole.
TEST_F(ItemTest, ItemsShowWhatTheyReadOrTheirDefaultAndWriteOnlyWhatIsSet) {
    const std::vector<std::wstring> abc = {L"a", L"b", L"c"}, numbers = {L"0", L"16", L"-1"};
    const std::vector<Param> listString = {{L"value", L"v"}, {L"pattern", L"x"}};
    const struct {
        char kind;
        DWORD type;
        std::string data;
        std::vector<Param> params;
        int32_t shown;
        std::optional<int32_t> set = {};
        std::wstring written = L"";
    } cases[] = {
        {'c', REG_DWORD, raw(1u), check(L"REG_DWORD", L"1", L"0", L"0"), true},
        {'c', REG_DWORD, raw(0u), check(L"REG_DWORD", L"1", L"0", L"1"), false},
        {'c', REG_DWORD, raw(2u), check(L"REG_DWORD", L"1", L"0", L"0"), false},
        {'c', REG_DWORD, raw(2u), check(L"REG_DWORD", L"1", L"0", L"1"), true},
        {'c', REG_EXPAND_SZ, raw(L"on"), check(L"REG_EXPAND_SZ", L"on", L"off", L"off"), true},
        {'c', REG_SZ, raw(L"on"), check(L"REG_SZ", L"on", L"on", L"on"), true},  // true first
        {'c', REG_SZ, raw(L"o"), check(L"REG_SZ", L"on", L"off", L"off"), false},
        {'c', REG_BINARY, {"\1\0", 2}, check(L"REG_BINARY", L"01,00", L"00,00", L"00,00"), true},
        // Upper-case digits never match the lower-case text of what is read.
        {'c', REG_BINARY, "\x0a\xff", check(L"REG_BINARY", L"0A,FF", L"00", L"00"), false},
        {'c', REG_NONE, "", check(L"REG_SZ", L"on", L"off", L"on"), true},
        {'n', REG_SZ, raw(L"-4"), number(L"REG_SZ", L"7"), -4},
        {'n', REG_SZ, raw(L"abc"), number(L"REG_SZ", L"7"), 7},
        {'n', REG_SZ, raw(L""), number(L"REG_SZ", L"7"), 7},
        {'n', REG_SZ, raw(L" 12"), number(L"REG_SZ", L"7"), 7},
        {'n', REG_SZ, raw(L"99999999999"), number(L"REG_SZ", L"7"), 7},
        {'n', REG_DWORD, raw(0xFFFFFFFEu), number(L"REG_DWORD", L"0"), -2},
        {'n', REG_NONE, "", number(L"REG_DWORD", L"30"), 30},
        {'t', REG_SZ, raw(L"c"), toggle(L"REG_SZ", L"b", abc), 2},
        {'t', REG_SZ, raw(L"C"), toggle(L"REG_SZ", L"b", abc), 1},
        // A present empty text is data like any other.
        {'t', REG_EXPAND_SZ, raw(L""), toggle(L"REG_EXPAND_SZ", L"b", {L"a", L"b", L""}), 2},
        {'t', REG_DWORD, raw(0xFFFFFFFFu), toggle(L"REG_DWORD", L"0", numbers), 2},
        {'t', REG_DWORD, raw(17u), toggle(L"REG_DWORD", L"-1", numbers), 2},
        {'t', REG_DWORD, raw(16u), toggle(L"REG_DWORD", L"1", {L"0x10", L"1"}), 1},
        {'t', REG_BINARY, "\x0a\xff", toggle(L"REG_BINARY", L"01,00", {L"01,00", L"0a,ff"}), 1},
        {'t', REG_BINARY, "", toggle(L"REG_BINARY", L"0a,ff", {L"", L"0a,ff"}), 1},
        {'t', REG_NONE, "", toggle(L"REG_SZ", L"b", abc), 1},
        // A list's terminating empty strings are no part of the setting.
        {'c', REG_MULTI_SZ, raw(L"on" + Z), check(L"REG_MULTI_SZ", L"on", L"off", L"off"), true},
        {'n', REG_MULTI_SZ, raw(L"5" + Z), number(L"REG_MULTI_SZ", L"7"), 5},
        {'t', REG_MULTI_SZ, raw(L"c" + Z), toggle(L"REG_MULTI_SZ", L"b", abc), 2},
        {'t', REG_MULTI_SZ, raw(Z), toggle(L"REG_MULTI_SZ", L"b", {L"", L"b"}), 0},
        {'c', REG_NONE, "", check(L"REG_MULTI_SZ", L"on", L"off", L"off"), 0, 1, L"on" + Z + Z},
        {'n', REG_NONE, "", number(L"REG_MULTI_SZ", L"7"), 7, 5, L"5" + Z + Z},
        {'t', REG_NONE, "", toggle(L"REG_MULTI_SZ", L"a", {L"a", L"b"}), 0, 1, L"b" + Z + Z},
        {'t', REG_MULTI_SZ, raw(L"b" + Z), toggle(L"REG_MULTI_SZ", L"b", {L"", L"b"}), 1, 0, Z + Z},
        {'s', REG_MULTI_SZ, raw(L"x" + Z), listString, 1, 0, Z + Z},
        {'s', REG_MULTI_SZ, bytesOf(L"one" + Z + L"two"), listString, 0, 1,
         L"one" + Z + L"two" + Z + L"x" + Z + Z},
        {'e', REG_MULTI_SZ, raw(L"a=1 b=2" + Z), entries(L"REG_MULTI_SZ", L"a"), 1, 5,
         L"a=5 b=2" + Z + Z},
        {'e', REG_SZ, bytesOf(L"a=1 b=2"), entries(L"REG_SZ", L"a"), 1, 5, L"a=5 b=2" + Z},
    };
    int row = 0;
    for (const auto& c : cases) {
        const std::wstring below = std::to_wstring(++row);
        if (c.type != REG_NONE) scratch_.set(L"v", c.type, c.data, below);
        const std::unique_ptr<Item> item = configuredAs(c.kind, c.params, below);
        EXPECT_EQ(statesOf(*item), std::make_pair(c.shown, c.shown)) << "row " << row;
        if (c.set) {
            setCurrent(*item, *c.set);
            SaveTarget target(L"unused");
            item->store(target);
            EXPECT_EQ(storedText(target, below), c.written.substr(0, c.written.size() - 1)) << row;
        }
        item->apply();
        EXPECT_EQ(item->isApplied(), c.set.has_value()) << "row " << row;
        EXPECT_EQ(stored(L"v", below).data, bytes(c.set                ? bytesOf(c.written)
                                                  : c.type == REG_NONE ? "-"
                                                                       : c.data))
            << "row " << row;
    }
}

// What was applied is what revert goes back to, and it stays applied. A
// number goes as text or as a DWORD, also below a key that is not there yet.
TEST_F(ItemTest, ItemsApplyAndRevertToTheChosenData) {
    auto binary = configured<RegCheckItem>(check(L"REG_BINARY", L"0A,FF", L"00", L"00"));
    binary->setCurrentState(true);
    binary->apply();
    EXPECT_TRUE(binary->isApplied());
    EXPECT_EQ(stored(L"v").data, (Bytes{0x0A, 0xFF}));
    binary->setCurrentState(false);
    binary->revert();
    EXPECT_EQ(statesOf(*binary), std::make_pair(1, 1));
    EXPECT_TRUE(binary->isApplied());
    SaveTarget target(L"unused");
    binary->store(target);
    std::wostringstream file;
    target.getStorage().write(file);
    EXPECT_NE(file.str().find(L"\"v\"=hex:0a,ff\r\n"), std::wstring::npos) << file.str();

    const std::tuple<std::wstring, DWORD, std::string> numbers[] = {
        {L"REG_EXPAND_SZ", REG_EXPAND_SZ, raw(L"-120")}, {L"REG_DWORD", REG_DWORD, raw(-120)}};
    for (const auto& [name, type, data] : numbers) {
        auto value = configured<RegValueItem>(number(name, L"30"), name + L"\\deeper");
        value->setCurrentValue(-120);
        value->apply();
        EXPECT_EQ(statesOf(*value), std::make_pair(-120, -120));
        EXPECT_EQ(stored(L"v", name + L"\\deeper").type, type);
        EXPECT_EQ(stored(L"v", name + L"\\deeper").data, bytes(data));
    }
}

TEST_F(ItemTest, NumberItemsTakeTheirParametersAndJoinKeyAndValueInTheirShortHelp) {
    std::vector<Param> params = number(L"REG_DWORD", L"4", {{L"mean", L"10"}, {L"delete", L"no"}});
    params.insert(params.end(), {{L"min", L"-5"},
                                 {L"max", L"500"},
                                 {L"step", L"2"},
                                 {L"block", L"50"},
                                 {L"scale", L"1000"},
                                 {L"scale", L"100"},
                                 {L"unit", L"ms"}});
    auto item = configured<RegValueItem>(params);
    EXPECT_EQ(std::make_tuple(item->getDefaultValue(), item->getDefaultMeaning(), item->getMin(),
                              item->getMax(), item->getStep(), item->getBlock(), item->getScale(),
                              item->getUnit()),
              std::make_tuple(4, 10, -5, 500, 2, 50, 100, std::wstring(L"ms")));
    auto plain = configured<RegValueItem>(number(L"REG_DWORD", L"3"));
    EXPECT_EQ(
        std::make_tuple(plain->getDefaultMeaning(), plain->getMin(), plain->getMax(),
                        plain->getStep(), plain->getBlock(), plain->getScale(), plain->getUnit()),
        std::make_tuple(3, INT32_MIN, INT32_MAX, 1, 10, 1, NULL_STRING));
    // Only the program installs the factory that makes views.
    EXPECT_EQ(messageOf<Exception>([&] { plain->createView(); }),
              L"no item view factory is installed");

    const std::wstring key = keyPath();
    const std::pair<std::vector<Param>, std::wstring> helps[] = {
        {{{L"key", key}, {L"value", L"C"}}, key + L"\\C"},
        {{{L"key", key + L"\\"}, {L"value", L"C"}}, key + L"\\C"},
        {{{L"key", key}}, key},  // the unnamed value
    };
    for (auto [help, shortHelp] : helps) {
        help.insert(help.end(), {{L"type", L"REG_DWORD"}, {L"default", L"0"}});
        EXPECT_EQ(configured<RegValueItem>(help)->getShortHelp(), shortHelp);
    }
}

TEST_F(ItemTest, FaultyDefinitionsFailWhileConfiguring) {
    const std::vector<Param> noKey = {
        {L"key", NULL_STRING}, {L"type", L"REG_SZ"}, {L"default", L"1"}};
    std::vector<Param> checkNoKey = check(L"REG_SZ", L"a", L"b", L"a"), emptyName = checkNoKey;
    checkNoKey.insert(checkNoKey.begin(), {L"key", NULL_STRING});
    emptyName[0].text = L"";
    std::vector<Param> untyped = toggle(L"REG_SZ", L"a", {L"a"});
    untyped.erase(untyped.begin() + 1);
    const struct {
        char kind;
        std::vector<Param> params;
        std::wstring message;
    } cases[] = {
        {'c', checkNoKey, L"no set key name"},
        {'c',
         {{L"value", L"v"}, {L"true", L"1"}, {L"false", L"0"}, {L"default", L"0"}},
         L"RegType"},
        {'c', check(L"REG_DWORD", L"1", L"0", L"2"), L"default no match: 2"},
        {'c', check(L"REG_SZ", L"a", L"b", NULL_STRING), L"default no match: " + NULL_STRING},
        {'c', check(L"REG_QWORD", L"1", L"0", L"0"), L"typeString:REG_QWORD"},
        {'c', emptyName, L"empty value name"},
        // Data that is no number fails even though the value is missing.
        {'c', check(L"REG_DWORD", L"on", L"0", L"on"), L"on"},
        {'n', noKey, L"no set key name"},
        {'n', number(L"REG_BINARY", L"1"), L"RegType"},
        {'n', {{L"value", L"v"}, {L"type", L"REG_DWORD"}}, NULL_STRING},
        {'n', number(L"REG_DWORD", L"1", {{L"mean", L""}}), L"empty string"},
        {'n', number(L"REG_DWORD", L"2147483648"), L"2147483648 (overflow)"},
        // The view divides by the scale.
        {'n',
         {{L"scale", L"0"}, {L"type", L"REG_DWORD"}, {L"default", L"1"}},
         L"illegal <scale> of item sample: 0"},
        {'n', {{L"scale", L"1"}, {L"scale", L"-1024"}}, L"illegal <scale> of item sample: -1024"},
        {'t', untyped, L"RegType"},
        {'t', toggle(L"REG_SZ", L"x", {L"a", L"b"}), L"default no match: x"},
        // Checking would add U+FFFF, or an empty string that ends the list.
        {'s', {{L"value", L"v"}, {L"default", L"true"}}, L"no <pattern> of item sample"},
        {'s', {{L"value", L"v"}, {L"pattern", L""}}, L"no <pattern> of item sample"},
        {'b', {{L"value", L"v"}, {L"type", L"REG_DWORD"}}, NULL_STRING},
        {'e', {{L"value", L"v"}, {L"type", L"REG_DWORD"}}, NULL_STRING},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(messageOf<Exception>([&] { configuredAs(c.kind, c.params); }), c.message)
            << c.kind << " " << c.params.size();
    }
}

struct Recorder : PropertyChangeListener {
    void propertyChanged(const PropertyChangeEvent& event) override {
        events.push_back(event.getPropertyName());
        if (leave) event.getSource()->removePropertyChangeListener(this);
    }
    std::vector<std::wstring> events;
    bool leave = false;
};

TEST_F(ItemTest, ListenersHearEachChangeOncePerRegistration) {
    auto item = configured<RegValueItem>(number(L"REG_DWORD", L"5"));
    Recorder twice, leaver;
    leaver.leave = true;
    item->addPropertyChangeListener(&twice);
    item->addPropertyChangeListener(&leaver);
    item->addPropertyChangeListener(&twice);
    item->setCurrentValue(5);  // already held
    item->setCurrentValue(6);
    item->removePropertyChangeListener(&twice);
    item->setDefaultValue(7);
    item->removePropertyChangeListener(&twice);
    item->removePropertyChangeListener(&twice);  // no longer registered: nothing
    item->setToDefault();
    EXPECT_EQ(twice.events,
              (std::vector<std::wstring>{L"currentValue", L"currentValue", L"defaultValue"}));
    EXPECT_EQ(leaver.events, std::vector<std::wstring>{L"currentValue"});
}

// Storing records the current value without touching the registry; a
// default marked for deletion, whatever the mark says, is stored and applied
// as a deletion. Every kind writes a DWORD, the bit item whatever its type.
TEST_F(ItemTest, ItemsStoreAndApplyTheirDataOrTheDeletionOfTheDefault) {
    auto flag =
        configured<RegCheckItem>(check(L"REG_DWORD", L"-1", L"0", L"0", {{L"delete", L""}}), L"d");
    auto value = configured<RegValueItem>(number(L"REG_DWORD", L"4", {{L"delete", L"no"}}), L"d");
    auto choice = configured<RegToggleItem>(
        toggle(L"REG_DWORD", L"0", {L"0", L"-1"}, {{L"delete", L""}}), L"d");
    auto bits = configured<Bits>(
        {{L"value", L"v"}, {L"type", L"REG_SZ"}, {L"default", L"0", {{L"delete", L""}}}}, L"d");
    flag->setCurrentState(true);
    value->setCurrentValue(-1);
    choice->setCurrentIndex(1);
    bits->setCurrentValue(0xFFFFFFFF);
    for (Item* item :
         std::initializer_list<Item*>{flag.get(), value.get(), choice.get(), bits.get()}) {
        SaveTarget target(L"unused");
        item->store(target);
        EXPECT_EQ(storedText(target, L"d"), L"-1");
        EXPECT_EQ(stored(L"v", L"d").data, Bytes{'-'});
        item->apply();
        EXPECT_TRUE(item->isApplied());
        EXPECT_EQ(stored(L"v", L"d").type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(stored(L"v", L"d").data, bytes(raw(0xFFFFFFFFu)));
        item->setToDefault();
        item->store(target);
        EXPECT_EQ(storedText(target, L"d"), L"-");
        EXPECT_EQ(stored(L"v", L"d").type, static_cast<DWORD>(REG_DWORD));
        item->apply();
        EXPECT_EQ(stored(L"v", L"d").data, Bytes{'-'});
        EXPECT_TRUE(item->isApplied());
    }
}

TEST_F(ItemTest, ListItemsFallBackToTheirCorrectionOrFail) {
    scratch_.set(L"t", REG_SZ, bytesOf(L"a=1 c=3,x" + Z));
    EXPECT_EQ(configured<RegMultiListValueItem>(entry(L"c", L"0"))->getCurrentValue(), 3);
    EXPECT_EQ(configured<RegMultiListValueItem>(entry(L"c", L"2"))->getCurrentValue(), 7);
    const std::pair<std::wstring, std::wstring> cases[] = {{L"c=0", L"index out of range"},
                                                           {L"c=0,0,0", L"c=0,0,9"}};
    for (const auto& [correction, result] : cases) {
        auto item = configured<RegMultiListValueItem>(entry(L"c", L"2", correction));
        item->setCurrentValue(9);
        SaveTarget target(L"unused");
        try {
            item->store(target);
            EXPECT_EQ(target.getStorage().getKey(keyPath()).getValueString(L"t"), result);
            item->apply();
            EXPECT_EQ(stored(L"t").data, bytes(bytesOf(result + Z)));
        } catch (const IllegalArgumentException& e) {
            EXPECT_EQ(e.getMessage(), result);
            EXPECT_EQ(messageOf<IllegalArgumentException>([&] { item->apply(); }), result);
            EXPECT_FALSE(item->isApplied());
        }
    }
    // Storing needs the value itself, not only its key.
    SaveTarget target(L"unused");
    auto missing = configured<RegMultiListValueItem>(entry(L"c", L"0", L"c=0"), L"none");
    scratch_.set(L"other", REG_SZ, bytesOf(Z), L"none");
    EXPECT_EQ(messageOf<RegKeyException>([&] { missing->store(target); }), L"query value: t");
}

// Edits applied to the items of one key, and the same edits saved to a file
// and imported into another key, must leave the same data.
TEST_F(ItemTest, SavedFileImportsToWhatApplyingWrites) {
    const std::wstring file =
        tempPath(L"velmora-items-" + std::to_wstring(GetCurrentProcessId()) + L".reg");
    SaveTarget target(file);
    for (const std::wstring below : {L"applied", L"saved"}) {
        scratch_.set(L"m", REG_MULTI_SZ, bytesOf(L"def" + Z + L"xabc" + Z + Z), below);
        scratch_.set(L"t", REG_SZ, bytesOf(L"a=1 b=2,3,4" + Z), below);
        // Checked, unchecked, and checked on a missing value; entries; an element.
        const std::tuple<char, std::vector<Param>, int32_t> edits[] = {
            {'s', {{L"value", L"m"}, {L"type", L"REG_SZ"}, {L"pattern", L"abc"}}, 1},
            {'s', {{L"value", L"m"}, {L"type", L"REG_SZ"}, {L"pattern", L"DEF"}}, 0},
            {'s', {{L"value", L"n"}, {L"type", L"REG_SZ"}, {L"pattern", L"Abc"}}, 1},
            {'e', entry(L"a", L""), 5},
            {'e', entry(L"c", L""), 6},
            {'l', entry(L"b", L"1"), 9},
        };
        std::vector<std::unique_ptr<Item>> items;
        for (const auto& [kind, params, state] : edits) {
            items.push_back(configuredAs(kind, params, below));
            setCurrent(*items.back(), state);
        }
        for (const auto& item : items) below == L"applied" ? item->apply() : item->store(target);
    }
    target.finish();
    importWithRetries(file);
    DeleteFileW(file.c_str());
    EXPECT_EQ(stored(L"m", L"applied").data, bytes(bytesOf(L"xabc" + Z + L"abc" + Z + Z)));
    EXPECT_EQ(stored(L"n", L"applied").data, bytes(bytesOf(L"Abc" + Z + Z)));
    EXPECT_EQ(stored(L"t", L"applied").data, bytes(bytesOf(L"a=5 b=2,9,4 c=6" + Z)));
    for (const wchar_t* name : {L"m", L"n", L"t"}) {
        EXPECT_EQ(stored(name, L"saved").type, stored(name, L"applied").type);
        EXPECT_EQ(stored(name, L"saved").data, stored(name, L"applied").data);
    }
}

}  // namespace
