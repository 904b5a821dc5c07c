#include "items/RegValueItem.h"

#include <gtest/gtest.h>

#include "ItemFixture.h"
#include "core/Exception.h"
#include "items/SaveTarget.h"
#include "registry/RegistryStorageKey.h"

namespace {

class RegValueItemTest : public ItemTest {
protected:
    std::unique_ptr<RegValueItem> item(const std::wstring& type, const std::wstring& defaultText,
                                       const std::wstring& subKey = L"",
                                       xml::AttributeMap defaultAttributes = {}) {
        return configured<RegValueItem>(
            {{L"value", L"v"}, {L"type", type}, {L"default", defaultText, defaultAttributes}},
            subKey);
    }
};

TEST_F(RegValueItemTest, TextThatIsNoNumberShowsTheDefault) {
    const std::vector<std::pair<std::wstring, int32_t>> cases = {
        {L"abc", 7}, {L"", 7}, {L"12", 12}, {L"-4", -4}, {L" 12", 7}, {L"99999999999", 7}};
    for (const auto& [text, expected] : cases) {
        setSZ(L"v", text);
        auto number = item(L"REG_SZ", L"7");
        EXPECT_EQ(number->getStoredValue(), expected) << text;
        EXPECT_EQ(number->getCurrentValue(), expected) << text;
        number->apply();
        EXPECT_FALSE(number->isApplied());
    }
}

TEST_F(RegValueItemTest, DwordReadsSignedAndMissingKeyIsCreatedOnApply) {
    setDWORD(L"v", 0xFFFFFFFE);
    EXPECT_EQ(item(L"REG_DWORD", L"0")->getCurrentValue(), -2);

    auto missing = item(L"REG_DWORD", L"30", L"new\\deeper");
    EXPECT_EQ(missing->getStoredValue(), 30);
    missing->setCurrentValue(45);
    missing->apply();
    EXPECT_TRUE(missing->isApplied());
    EXPECT_EQ(missing->getStoredValue(), 45);
    EXPECT_EQ(RegKey(keyPath(L"new\\deeper"), RegKey::READ).getDWORD(L"v"), 45u);
}

TEST_F(RegValueItemTest, TextTypesWriteDecimalText) {
    auto number = item(L"REG_EXPAND_SZ", L"1");
    number->setCurrentValue(-120);
    number->apply();
    const RegKey::RawValue raw = RegKey(keyPath(), RegKey::READ).getRawValue(L"v");
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(RegKey(keyPath(), RegKey::READ).getString(L"v"), L"-120");
}

TEST_F(RegValueItemTest, ParametersAndMeaningOfTheDefault) {
    auto number = configured<RegValueItem>({{L"value", L"v"},
                                            {L"type", L"REG_DWORD"},
                                            {L"default", L"0", {{L"mean", L"10"}}},
                                            {L"min", L"-5"},
                                            {L"max", L"500"},
                                            {L"step", L"2"},
                                            {L"block", L"50"},
                                            {L"scale", L"1000"},
                                            {L"scale", L"100"},
                                            {L"unit", L"ms"}});
    EXPECT_EQ(number->getDefaultValue(), 0);
    EXPECT_EQ(number->getDefaultMeaning(), 10);
    EXPECT_EQ(number->getMin(), -5);
    EXPECT_EQ(number->getMax(), 500);
    EXPECT_EQ(number->getStep(), 2);
    EXPECT_EQ(number->getBlock(), 50);
    EXPECT_EQ(number->getScale(), 100);  // the last one given counts
    EXPECT_EQ(number->getUnit(), L"ms");

    // Scale is for the view only: the value is written as set.
    number->setCurrentValue(250);
    number->apply();
    EXPECT_EQ(RegKey(keyPath(), RegKey::READ).getDWORD(L"v"), 250u);

    auto plain = item(L"REG_DWORD", L"3");
    EXPECT_EQ(plain->getDefaultMeaning(), 3);
    EXPECT_EQ(plain->getMin(), INT32_MIN);
    EXPECT_EQ(plain->getMax(), INT32_MAX);
    EXPECT_EQ(plain->getStep(), 1);
    EXPECT_EQ(plain->getBlock(), 10);
    EXPECT_EQ(plain->getScale(), 1);
    EXPECT_EQ(plain->getUnit(), NULL_STRING);
}

TEST_F(RegValueItemTest, DefaultDeletesOnApplyAndOnStore) {
    setDWORD(L"v", 8);
    auto number = item(L"REG_DWORD", L"4", L"", {{L"delete", L"no"}});
    EXPECT_EQ(number->getCurrentValue(), 8);
    number->setToDefault();
    SaveTarget target(L"unused");
    number->store(target);
    EXPECT_EQ(target.getStorage().getKey(keyPath()).getValueString(L"v"), L"-");
    number->apply();
    EXPECT_FALSE(hasValue(L"v"));

    // Reading the deleted value gives the default again: nothing changed.
    auto again = item(L"REG_DWORD", L"4", L"", {{L"delete", L""}});
    EXPECT_EQ(again->getCurrentValue(), 4);
    again->setCurrentValue(5);
    again->store(target);
    EXPECT_EQ(target.getStorage().getKey(keyPath()).getValueString(L"v"), L"5");
}

TEST_F(RegValueItemTest, FaultyDefinitionsFailWhileConfiguring) {
    auto configure = [this](std::vector<Param> params) {
        params.insert(params.begin(), Param{L"key", keyPath()});
        params.insert(params.begin(), Param{L"value", L"v"});
        return [params] { RegValueItem().configure(*paramsOf(params)); };
    };
    const std::vector<std::pair<std::vector<Param>, std::wstring>> numberFailures = {
        {{{L"type", L"REG_DWORD"}}, NULL_STRING},  // no default
        {{{L"type", L"REG_DWORD"}, {L"default", L"1", {{L"mean", L""}}}}, L"empty string"},
        {{{L"type", L"REG_DWORD"}, {L"default", L"1"}, {L"min", L"1.5"}}, L"1.5"},
        {{{L"type", L"REG_DWORD"}, {L"default", L"2147483648"}}, L"2147483648 (overflow)"},
    };
    for (const auto& [params, message] : numberFailures) {
        EXPECT_EQ(messageOf<NumberFormatException>(configure(params)), message);
    }
    EXPECT_EQ(messageOf<ConfigException>(configure({{L"type", L"REG_BINARY"}, {L"default", L"1"}})),
              L"RegType");
    EXPECT_EQ(messageOf<ConfigException>([] {
                  RegValueItem().configure(*paramsOf({{L"type", L"REG_SZ"}, {L"default", L"1"}}));
              }),
              L"no set key name");
}

}  // namespace
