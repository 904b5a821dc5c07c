#include <gtest/gtest.h>

#include <sstream>

#include "ItemFixture.h"
#include "core/Constants.h"
#include "items/PropertyChangeListener.h"
#include "items/RegCheckItem.h"
#include "items/RegMultiValueItem.h"
#include "items/RegToggleItem.h"
#include "items/RegValueItem.h"
#include "items/ToggleItem.h"

namespace {

// What an item shows as stored and as current, as numbers.
std::pair<int32_t, int32_t> shown(Item& item) {
    if (auto* c = dynamic_cast<CheckItem*>(&item))
        return {c->getStoredState(), c->getCurrentState()};
    if (auto* v = dynamic_cast<ValueItem*>(&item))
        return {v->getStoredValue(), v->getCurrentValue()};
    auto& t = dynamic_cast<ToggleItem&>(item);
    return {t.getStoredIndex(), t.getCurrentIndex()};
}

// Data that matches no state or choice, or that is missing (REG_NONE here),
// shows the default, and applying leaves it as it is.
TEST_F(ItemTest, ItemsShowWhatTheyReadOrTheirDefaultAndLeaveItUnchanged) {
    const std::vector<std::wstring> abc = {L"a", L"b", L"c"}, numbers = {L"0", L"16", L"-1"};
    const struct {
        char kind;  // check, number or toggle
        DWORD type;
        std::string data;
        std::vector<Param> params;
        int32_t shown;
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
    };
    int row = 0;
    for (const auto& c : cases) {
        const std::wstring below = std::to_wstring(++row);
        if (c.type != REG_NONE) scratch_.set(L"v", c.type, c.data, below);
        const std::unique_ptr<Item> item = configuredAs(c.kind, c.params, below);
        EXPECT_EQ(shown(*item), std::make_pair(c.shown, c.shown)) << "row " << row;
        item->apply();
        EXPECT_FALSE(item->isApplied()) << "row " << row;
        EXPECT_EQ(stored(L"v", below).data, bytes(c.type == REG_NONE ? "-" : c.data)) << row;
    }
}

// What was applied is what revert goes back to, and it stays applied.
TEST_F(ItemTest, CheckItemsApplyStoreAndRevertToTheChosenData) {
    auto binary = configured<RegCheckItem>(check(L"REG_BINARY", L"0A,FF", L"00", L"00"));
    binary->setCurrentState(true);
    binary->apply();
    EXPECT_TRUE(binary->isApplied());
    EXPECT_EQ(stored(L"v").data, (Bytes{0x0A, 0xFF}));
    binary->setCurrentState(false);
    binary->revert();
    EXPECT_TRUE(binary->getCurrentState());
    EXPECT_TRUE(binary->isApplied());
    SaveTarget target(L"unused");
    binary->store(target);
    std::wostringstream file;
    target.getStorage().write(file);
    EXPECT_NE(file.str().find(L"\"v\"=hex:0a,ff\r\n"), std::wstring::npos) << file.str();
}

TEST_F(ItemTest, NumberItemsWriteTextOrADWORDAlsoBelowAMissingKey) {
    auto expand = configured<RegValueItem>(number(L"REG_EXPAND_SZ", L"1"));
    expand->setCurrentValue(-120);
    expand->apply();
    EXPECT_EQ(stored(L"v").type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(stored(L"v").data, Bytes({'-', 0, '1', 0, '2', 0, '0', 0, 0, 0}));

    auto missing = configured<RegValueItem>(number(L"REG_DWORD", L"30"), L"new\\deeper");
    missing->setCurrentValue(45);
    missing->apply();
    EXPECT_EQ(missing->getStoredValue(), 45);
    EXPECT_EQ(stored(L"v", L"new\\deeper").data, Bytes({45, 0, 0, 0}));
}

TEST_F(ItemTest, NumberItemsTakeTheirParameters) {
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
    };
    for (const auto& c : cases) {
        EXPECT_EQ(messageOf<Exception>([&] { configuredAs(c.kind, c.params); }), c.message)
            << c.kind << " " << c.params.size();
    }
    const std::vector<Param> noDefault = {{L"value", L"v"}, {L"type", L"REG_DWORD"}};
    EXPECT_EQ(messageOf<NumberFormatException>([&] { configured<Bits>(noDefault); }), NULL_STRING);
    EXPECT_EQ(messageOf<NumberFormatException>([&] { configured<RegMultiValueItem>(noDefault); }),
              NULL_STRING);
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

TEST_F(ItemTest, ShortHelpJoinsKeyPathAndValueName) {
    const std::wstring key = keyPath();
    const std::pair<std::vector<Param>, std::wstring> cases[] = {
        {{{L"key", key}, {L"value", L"C"}}, key + L"\\C"},
        {{{L"key", key + L"\\"}, {L"value", L"C"}}, key + L"\\C"},
        {{{L"key", key}}, key},  // the unnamed value
    };
    for (auto [params, shortHelp] : cases) {
        params.insert(params.end(), {{L"type", L"REG_DWORD"}, {L"default", L"0"}});
        EXPECT_EQ(configured<RegValueItem>(params)->getShortHelp(), shortHelp);
    }
}

// The views themselves, and the factory that makes them, are tested with
// the views.
TEST_F(ItemTest, ViewsNeedAnInstalledFactory) {
    auto value = configured<RegValueItem>(number(L"REG_DWORD", L"5"));
    EXPECT_EQ(messageOf<Exception>([&] { value->createView(); }),
              L"no item view factory is installed");
}

}  // namespace
