#include <gtest/gtest.h>

#include <sstream>

#include "ItemFixture.h"
#include "core/Constants.h"
#include "core/Exception.h"
#include "items/PropertyChangeListener.h"
#include "items/RegCheckItem.h"
#include "items/RegMultiValueItem.h"
#include "items/RegToggleItem.h"
#include "items/RegValueItem.h"
#include "items/SaveTarget.h"
#include "items/ViewFactory.h"
#include "registry/RegistryStorageKey.h"

namespace {

// Data that is neither state, or no data at all, shows the default and is
// left as it is.
TEST_F(ItemTest, CheckItemsReadTheStateOrShowTheDefaultUnchanged) {
    const struct {
        DWORD type;
        std::string data;
        std::vector<Param> params;
        bool state;
    } cases[] = {
        {REG_DWORD, {"\1\0\0\0", 4}, check(L"REG_DWORD", L"1", L"0", L"0"), true},
        {REG_DWORD, {"\0\0\0\0", 4}, check(L"REG_DWORD", L"1", L"0", L"1"), false},
        {REG_DWORD, {"\2\0\0\0", 4}, check(L"REG_DWORD", L"1", L"0", L"0"), false},
        {REG_DWORD, {"\2\0\0\0", 4}, check(L"REG_DWORD", L"1", L"0", L"1"), true},
        {REG_EXPAND_SZ, {"o\0n\0\0\0", 6}, check(L"REG_EXPAND_SZ", L"on", L"off", L"off"), true},
        {REG_SZ, {"o\0n\0\0\0", 6}, check(L"REG_SZ", L"on", L"on", L"on"), true},  // true first
        {REG_SZ, {"o\0\0\0", 4}, check(L"REG_SZ", L"on", L"off", L"off"), false},
        {REG_BINARY, {"\1\0", 2}, check(L"REG_BINARY", L"01,00", L"00,00", L"00,00"), true},
        // Upper-case digits never match the lower-case text of what is read.
        {REG_BINARY, "\x0a\xff", check(L"REG_BINARY", L"0A,FF", L"00", L"00"), false},
    };
    for (const auto& c : cases) {
        scratch_.set(L"v", c.type, c.data);
        auto item = configured<RegCheckItem>(c.params);
        EXPECT_EQ(item->getStoredState(), c.state) << c.params[1].text << " " << c.params[2].text;
        EXPECT_EQ(item->getCurrentState(), c.state);
        item->apply();
        EXPECT_FALSE(item->isApplied());
        EXPECT_EQ(stored(L"v").data, bytes(c.data));
    }
    auto missing = configured<RegCheckItem>(check(L"REG_SZ", L"on", L"off", L"on"), L"none");
    EXPECT_TRUE(missing->getStoredState());
    EXPECT_TRUE(missing->getCurrentState());
    missing->apply();
    EXPECT_FALSE(missing->isApplied());
    EXPECT_EQ(stored(L"v", L"none").data, Bytes{'-'});
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

TEST_F(ItemTest, NumberItemsReadTextOrShowTheDefault) {
    const std::pair<std::wstring, int32_t> texts[] = {
        {L"abc", 7}, {L"", 7}, {L"-4", -4}, {L" 12", 7}, {L"99999999999", 7}};
    for (const auto& [text, expected] : texts) {
        scratch_.set(L"v", REG_SZ, bytesOf(text + Z));
        auto item = configured<RegValueItem>(number(L"REG_SZ", L"7"));
        EXPECT_EQ(item->getStoredValue(), expected) << text;
        EXPECT_EQ(item->getCurrentValue(), expected) << text;
        item->apply();
        EXPECT_FALSE(item->isApplied());
    }
    scratch_.setDWORD(L"v", 0xFFFFFFFE);
    EXPECT_EQ(configured<RegValueItem>(number(L"REG_DWORD", L"0"))->getCurrentValue(), -2);

    auto expand = configured<RegValueItem>(number(L"REG_EXPAND_SZ", L"1"));
    expand->setCurrentValue(-120);
    expand->apply();
    EXPECT_EQ(stored(L"v").type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(stored(L"v").data, Bytes({'-', 0, '1', 0, '2', 0, '0', 0, 0, 0}));

    auto missing = configured<RegValueItem>(number(L"REG_DWORD", L"30"), L"new\\deeper");
    EXPECT_EQ(missing->getCurrentValue(), 30);
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
    const auto failure = [this](auto item, const std::vector<Param>& params) {
        try {
            configured<decltype(item)>(params);
        } catch (const Exception& e) {
            return e.getMessage();
        }
        return std::wstring(L"(nothing thrown)");
    };
    const std::vector<Param> noKey = {
        {L"key", NULL_STRING}, {L"type", L"REG_SZ"}, {L"default", L"1"}};
    std::vector<Param> checkNoKey = check(L"REG_SZ", L"a", L"b", L"a"), emptyName = checkNoKey;
    checkNoKey.insert(checkNoKey.begin(), {L"key", NULL_STRING});
    emptyName[0].text = L"";
    const std::pair<std::vector<Param>, std::wstring> checkCases[] = {
        {checkNoKey, L"no set key name"},
        {{{L"value", L"v"}, {L"true", L"1"}, {L"false", L"0"}, {L"default", L"0"}}, L"RegType"},
        {check(L"REG_DWORD", L"1", L"0", L"2"), L"default no match: 2"},
        {check(L"REG_SZ", L"a", L"b", NULL_STRING), L"default no match: " + NULL_STRING},
        {check(L"REG_QWORD", L"1", L"0", L"0"), L"typeString:REG_QWORD"},
        {emptyName, L"empty value name"},
        // Data that is no number fails even though the value is missing.
        {check(L"REG_DWORD", L"on", L"0", L"on"), L"on"},
    };
    for (const auto& [params, message] : checkCases)
        EXPECT_EQ(failure(RegCheckItem(), params), message);
    const std::pair<std::vector<Param>, std::wstring> numberCases[] = {
        {noKey, L"no set key name"},
        {number(L"REG_BINARY", L"1"), L"RegType"},
        {{{L"value", L"v"}, {L"type", L"REG_DWORD"}}, NULL_STRING},
        {number(L"REG_DWORD", L"1", {{L"mean", L""}}), L"empty string"},
        {number(L"REG_DWORD", L"2147483648"), L"2147483648 (overflow)"},
    };
    for (const auto& [params, message] : numberCases)
        EXPECT_EQ(failure(RegValueItem(), params), message);

    std::vector<Param> untyped = toggle(L"REG_SZ", L"a", {L"a"});
    untyped.erase(untyped.begin() + 1);
    EXPECT_EQ(failure(RegToggleItem(), untyped), L"RegType");
    EXPECT_EQ(failure(RegToggleItem(), toggle(L"REG_SZ", L"x", {L"a", L"b"})),
              L"default no match: x");
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

TEST_F(ItemTest, ViewsComeFromTheInstalledFactory) {
    auto value = configured<RegValueItem>(number(L"REG_DWORD", L"5"));
    auto flag = configured<RegCheckItem>(check(L"REG_DWORD", L"1", L"0", L"0"));
    EXPECT_EQ(messageOf<Exception>([&] { value->createView(); }),
              L"no item view factory is installed");
    struct Factory : ViewFactory {
        awt::Component* createCheckItemView(CheckItem& item) override { return view(item, 1); }
        awt::Component* createValueItemView(ValueItem& item) override { return view(item, 2); }
        awt::Component* createToggleItemView(ToggleItem&) override { return nullptr; }
        awt::Component* view(Item& item, intptr_t kind) {
            asked.push_back(&item);
            return reinterpret_cast<awt::Component*>(kind);
        }
        std::vector<Item*> asked;
    } factory;
    ViewFactory::install(&factory);
    EXPECT_EQ(flag->createView(), reinterpret_cast<awt::Component*>(1));
    EXPECT_EQ(value->createView(), reinterpret_cast<awt::Component*>(2));
    ViewFactory::install(nullptr);
    EXPECT_EQ(factory.asked, (std::vector<Item*>{flag.get(), value.get()}));
}

}  // namespace
