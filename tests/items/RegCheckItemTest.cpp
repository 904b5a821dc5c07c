#include "items/RegCheckItem.h"

#include <gtest/gtest.h>

#include <sstream>

#include "ItemFixture.h"
#include "core/Exception.h"
#include "items/SaveTarget.h"
#include "registry/RegistryStorageKey.h"

namespace {

class RegCheckItemTest : public ItemTest {
protected:
    std::unique_ptr<RegCheckItem> dwordItem(const std::wstring& defaultText = L"0",
                                            bool deletes = false) {
        xml::AttributeMap attributes;
        if (deletes) attributes[L"delete"] = L"";
        return configured<RegCheckItem>({{L"value", L"v"},
                                         {L"type", L"REG_DWORD"},
                                         {L"true", L"1"},
                                         {L"false", L"0"},
                                         {L"default", defaultText, attributes}});
    }
};

TEST_F(RegCheckItemTest, DwordDataOtherThanEitherShowsTheDefaultUnchanged) {
    for (const auto& [data, expected] : std::vector<std::pair<uint32_t, bool>>{
             {1, true}, {0, false}, {2, true}, {0xFFFFFFFF, true}}) {
        setDWORD(L"v", data);
        auto item = dwordItem(L"1");
        EXPECT_EQ(item->getStoredState(), expected) << data;
        EXPECT_EQ(item->getCurrentState(), expected) << data;
        item->apply();
        EXPECT_FALSE(item->isApplied());
        EXPECT_EQ(RegKey(keyPath(), RegKey::READ).getDWORD(L"v"), data);
    }
}

TEST_F(RegCheckItemTest, MissingKeyOrValueShowsTheDefault) {
    auto item = configured<RegCheckItem>({{L"value", L"v"},
                                          {L"type", L"REG_SZ"},
                                          {L"true", L"yes"},
                                          {L"false", L"no"},
                                          {L"default", L"yes"}},
                                         L"missing");
    EXPECT_TRUE(item->getStoredState());
    EXPECT_TRUE(item->getCurrentState());
    EXPECT_TRUE(item->getDefaultState());
    item->apply();
    EXPECT_FALSE(hasValue(L"v", L"missing"));
}

TEST_F(RegCheckItemTest, TextTypesCompareTheWholeText) {
    setSZ(L"v", L"yes");
    setSZ(L"other", L"maybe");
    const std::vector<Param> common = {
        {L"type", L"REG_EXPAND_SZ"}, {L"true", L"yes"}, {L"false", L"no"}, {L"default", L"no"}};
    std::vector<Param> params = common;
    params.push_back({L"value", L"v"});
    EXPECT_TRUE(configured<RegCheckItem>(params)->getCurrentState());
    params.back().text = L"other";
    EXPECT_FALSE(configured<RegCheckItem>(params)->getCurrentState());

    // Equal data: true is tried first.
    auto both = configured<RegCheckItem>({{L"value", L"v"},
                                          {L"type", L"REG_SZ"},
                                          {L"true", L"yes"},
                                          {L"false", L"yes"},
                                          {L"default", L"yes"}});
    EXPECT_TRUE(both->getCurrentState());
}

TEST_F(RegCheckItemTest, BinaryDataAsByteText) {
    setValue(L"b", REG_BINARY, std::string("\x01\x00", 2));
    auto item = configured<RegCheckItem>({{L"value", L"b"},
                                          {L"type", L"REG_BINARY"},
                                          {L"true", L"01,00"},
                                          {L"false", L"00,00"},
                                          {L"default", L"00,00"}});
    EXPECT_TRUE(item->getCurrentState());
    item->setCurrentState(false);
    item->apply();
    EXPECT_EQ(RegKey(keyPath(), RegKey::READ).getBytes(L"b"), (std::vector<uint8_t>{0, 0}));

    // Upper-case digits write the right bytes but never match what is read.
    auto upper = configured<RegCheckItem>({{L"value", L"u"},
                                           {L"type", L"REG_BINARY"},
                                           {L"true", L"0A,FF"},
                                           {L"false", L"00"},
                                           {L"default", L"00"}});
    upper->setCurrentState(true);
    upper->apply();
    EXPECT_EQ(RegKey(keyPath(), RegKey::READ).getBytes(L"u"), (std::vector<uint8_t>{0x0A, 0xFF}));
    upper->revert();
    EXPECT_TRUE(upper->getCurrentState());
    EXPECT_FALSE(configured<RegCheckItem>({{L"value", L"u"},
                                           {L"type", L"REG_BINARY"},
                                           {L"true", L"0A,FF"},
                                           {L"false", L"00"},
                                           {L"default", L"00"}})
                     ->getCurrentState());
}

TEST_F(RegCheckItemTest, ApplyCommitsOnlyChangesAndStaysApplied) {
    auto item = dwordItem();
    item->apply();
    EXPECT_FALSE(item->isApplied());
    EXPECT_FALSE(hasValue(L"v"));

    item->setCurrentState(true);
    item->apply();
    EXPECT_TRUE(item->isApplied());
    EXPECT_TRUE(item->getStoredState());
    EXPECT_EQ(RegKey(keyPath(), RegKey::READ).getDWORD(L"v"), 1u);

    item->setCurrentState(false);
    item->revert();
    EXPECT_TRUE(item->getCurrentState());
    EXPECT_TRUE(item->isApplied());
}

TEST_F(RegCheckItemTest, DefaultDeletesOnApplyAndOnStore) {
    setDWORD(L"v", 1);
    auto item = dwordItem(L"0", true);
    EXPECT_TRUE(item->isDefaultDeletes());
    EXPECT_TRUE(item->getCurrentState());

    SaveTarget target(L"unused");
    item->store(target);
    EXPECT_EQ(target.getStorage().getKey(keyPath()).getValueString(L"v"), L"1");
    item->setToDefault();
    item->store(target);
    EXPECT_EQ(target.getStorage().getKey(keyPath()).getValueString(L"v"), L"-");
    EXPECT_TRUE(hasValue(L"v"));

    item->apply();
    EXPECT_FALSE(hasValue(L"v"));
    EXPECT_TRUE(item->isApplied());
}

TEST_F(RegCheckItemTest, StoreRecordsDataByType) {
    auto binary = configured<RegCheckItem>({{L"value", L"b"},
                                            {L"type", L"REG_BINARY"},
                                            {L"true", L"01,0A"},
                                            {L"false", L"00"},
                                            {L"default", L"01,0A"}});
    auto multi = configured<RegCheckItem>({{L"value", L"m"},
                                           {L"type", L"REG_MULTI_SZ"},
                                           {L"true", L"on"},
                                           {L"false", L"off"},
                                           {L"default", L"off"}});
    SaveTarget target(L"unused");
    binary->store(target);
    multi->store(target);
    std::wostringstream out;
    target.getStorage().write(out);
    EXPECT_NE(out.str().find(L"\"b\"=hex:01,0a\r\n"), std::wstring::npos) << out.str();
    EXPECT_EQ(target.getStorage().getKey(keyPath()).getValueString(L"m"), L"off");
}

TEST_F(RegCheckItemTest, FaultyDefinitionsFailWhileConfiguring) {
    const std::vector<Param> dword = {{L"key", keyPath()},
                                      {L"value", L"v"},
                                      {L"true", L"1"},
                                      {L"false", L"0"},
                                      {L"default", L"0"}};
    auto with = [](std::vector<Param> params, std::vector<Param> extra) {
        params.insert(params.end(), extra.begin(), extra.end());
        return params;
    };
    auto configure = [](const std::vector<Param>& params) {
        return [params] { RegCheckItem().configure(*paramsOf(params)); };
    };
    const std::vector<std::pair<std::vector<Param>, std::wstring>> configFailures = {
        {{{L"value", L"v"}, {L"type", L"REG_DWORD"}, {L"true", L"1"}, {L"default", L"1"}},
         L"no set key name"},
        {dword, L"RegType"},  // no type given
        {with(dword, {{L"type", L"REG_DWORD"}, {L"default", L"2"}}), L"default no match: 2"},
        {{{L"key", keyPath()}, {L"type", L"REG_SZ"}, {L"true", L"a"}, {L"false", L"b"}},
         L"default no match: " + NULL_STRING},
    };
    for (const auto& [params, message] : configFailures) {
        EXPECT_EQ(messageOf<ConfigException>(configure(params)), message);
    }
    EXPECT_EQ(
        messageOf<IllegalArgumentException>(configure(with(dword, {{L"type", L"REG_QWORD"}}))),
        L"typeString:REG_QWORD");
    EXPECT_EQ(messageOf<IllegalArgumentException>(configure({{L"key", keyPath()},
                                                             {L"value", L""},
                                                             {L"type", L"REG_SZ"},
                                                             {L"true", L"a"},
                                                             {L"false", L"b"},
                                                             {L"default", L"a"}})),
              L"empty value name");
    // Data that is no number fails even though the value is missing.
    EXPECT_EQ(messageOf<NumberFormatException>(configure({{L"key", keyPath()},
                                                          {L"value", L"v"},
                                                          {L"type", L"REG_DWORD"},
                                                          {L"true", L"on"},
                                                          {L"false", L"0"},
                                                          {L"default", L"on"}})),
              L"on");
    EXPECT_NO_THROW(configure(with(dword, {{L"type", L"REG_DWORD"}}))());

    // Without true and false texts and without a default, all are not given
    // alike, so the default is checked.
    RegCheckItem bare;
    bare.configure(*paramsOf({{L"key", keyPath()}, {L"value", L"x"}, {L"type", L"REG_SZ"}}));
    EXPECT_TRUE(bare.getDefaultState());
    EXPECT_EQ(bare.getLabel(), NULL_STRING);
}

}  // namespace
