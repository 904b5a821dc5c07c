#include <gtest/gtest.h>

#include "ItemFixture.h"
#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/AbstractRegBitValueItem.h"
#include "items/RegMultiListValueItem.h"
#include "items/RegMultiStringCheckItem.h"
#include "items/RegToggleItem.h"
#include "items/SaveTarget.h"
#include "registry/RegistryStorageKey.h"

namespace {

using Bytes = std::vector<uint8_t>;
const std::wstring Z(1, L'\0');

std::string raw(const std::wstring& text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * 2};
}
std::string raw(uint32_t number) { return {reinterpret_cast<const char*>(&number), 4}; }
template <typename T>
Bytes bytes(const T& data) {
    const std::string r = raw(data);
    return Bytes(r.begin(), r.end());
}

// The first value's choice comes in a select of its own, the others in a
// second one.
std::vector<Param> toggle(const std::wstring& type, const std::wstring& byDefault,
                          const std::vector<std::wstring>& values,
                          xml::AttributeMap attributes = {}) {
    Param first{L"select", L""}, rest{L"select", L""};
    for (const std::wstring& value : values)
        (value == values[0] ? first : rest)
            .children.push_back({L"item", L"n" + value, {{L"value", value}}});
    return {{L"value", L"v"}, {L"type", type}, first, rest, {L"default", byDefault, attributes}};
}

std::vector<Param> multiString(const std::wstring& pattern, const std::wstring& byDefault = L"") {
    return {{L"value", L"m"}, {L"type", L"REG_SZ"}, {L"pattern", pattern}, {L"default", byDefault}};
}

std::vector<Param> entry(const std::wstring& name, const std::wstring& index = L"",
                         const std::wstring& correction = L"") {
    std::vector<Param> params = {
        {L"value", L"t"}, {L"type", L"REG_SZ"}, {L"name", name}, {L"default", L"7"}};
    if (!index.empty()) params.push_back({L"index", index});
    if (!correction.empty()) params.push_back({L"correction", correction});
    return params;
}

struct Bits : AbstractRegBitValueItem {
    awt::Component* createView() override { return nullptr; }
};

std::wstring storedText(SaveTarget& target, const std::wstring& key, const std::wstring& name) {
    return target.getStorage().getKey(key).getValueString(name);
}

TEST_F(ItemTest, TogglesShowTheChoiceReadOrTheDefaultUnchanged) {
    const std::vector<std::wstring> abc = {L"a", L"b", L"c"}, numbers = {L"0", L"16", L"-1"};
    const struct {
        DWORD type;
        std::string data;
        std::vector<Param> params;
        int32_t index;
    } cases[] = {
        {REG_SZ, raw(L"c" + Z), toggle(L"REG_SZ", L"b", abc), 2},
        {REG_SZ, raw(L"C" + Z), toggle(L"REG_SZ", L"b", abc), 1},
        // A present empty text is data like any other.
        {REG_EXPAND_SZ, raw(Z), toggle(L"REG_EXPAND_SZ", L"b", {L"a", L"b", L""}), 2},
        {REG_DWORD, raw(16u), toggle(L"REG_DWORD", L"0", numbers), 1},
        {REG_DWORD, raw(0xFFFFFFFFu), toggle(L"REG_DWORD", L"0", numbers), 2},
        {REG_DWORD, raw(17u), toggle(L"REG_DWORD", L"-1", numbers), 2},
        // Compared in decimal only.
        {REG_DWORD, raw(16u), toggle(L"REG_DWORD", L"1", {L"0x10", L"1"}), 1},
        {REG_BINARY, "\x0a\xff", toggle(L"REG_BINARY", L"01,00", {L"01,00", L"0a,ff"}), 1},
        {REG_BINARY, "", toggle(L"REG_BINARY", L"0a,ff", {L"", L"0a,ff"}), 1},
    };
    for (const auto& c : cases) {
        scratch_.set(L"v", c.type, c.data);
        auto item = configured<RegToggleItem>(c.params);
        EXPECT_EQ(item->getStoredIndex(), c.index) << c.params[4].text << " " << c.data.size();
        EXPECT_EQ(item->getCurrentIndex(), c.index);
        item->apply();
        EXPECT_FALSE(item->isApplied());
        EXPECT_EQ(stored(L"v").data, Bytes(c.data.begin(), c.data.end()));
    }
    EXPECT_EQ(configured<RegToggleItem>(toggle(L"REG_SZ", L"b", abc), L"none")->getCurrentIndex(),
              1);
}

TEST_F(ItemTest, TogglesWriteAndStoreTheChosenData) {
    auto binary = configured<RegToggleItem>(toggle(L"REG_BINARY", L"01,00", {L"01,00", L"0A,FF"}));
    EXPECT_EQ(binary->getChoiceCount(), 2);
    EXPECT_EQ(binary->getChoiceName(1), L"n0A,FF");
    binary->setCurrentIndex(1);
    binary->apply();
    EXPECT_TRUE(binary->isApplied());
    EXPECT_EQ(stored(L"v").data, (Bytes{0x0A, 0xFF}));

    auto number = configured<RegToggleItem>(
        toggle(L"REG_DWORD", L"0", {L"0", L"-1"}, {{L"delete", L""}}), L"d");
    number->setCurrentIndex(1);
    SaveTarget target(L"unused");
    number->store(target);
    EXPECT_EQ(storedText(target, keyPath(L"d"), L"v"), L"-1");
    number->apply();
    EXPECT_EQ(stored(L"v", L"d").data, bytes(0xFFFFFFFFu));
    number->setToDefault();
    number->store(target);
    EXPECT_EQ(storedText(target, keyPath(L"d"), L"v"), L"-");
    number->apply();
    EXPECT_EQ(stored(L"v", L"d").data, Bytes{'-'});
}

TEST_F(ItemTest, BitItemsUseADWORDWhateverTheirType) {
    scratch_.set(L"v", REG_SZ, raw(L"5" + Z));
    const std::vector<Param> params = {
        {L"value", L"v"}, {L"type", L"REG_SZ"}, {L"default", L"-2", {{L"delete", L""}}}};
    auto bits = configured<Bits>(params);
    EXPECT_EQ(bits->getCurrentValue(), 0xFFFFFFFEu);  // a text is no DWORD
    bits->setCurrentValue(0x21);
    bits->apply();
    EXPECT_EQ(stored(L"v").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored(L"v").data, bytes(0x21u));
    EXPECT_EQ(configured<Bits>(params)->getStoredValue(), 0x21u);
    SaveTarget target(L"unused");
    bits->store(target);
    EXPECT_EQ(storedText(target, keyPath(), L"v"), L"33");
    bits->setToDefault();
    bits->store(target);
    EXPECT_EQ(storedText(target, keyPath(), L"v"), L"-");
    bits->apply();
    EXPECT_EQ(stored(L"v").data, Bytes{'-'});
}

TEST_F(ItemTest, MultiStringItemsMatchWholeStringsAndWriteLists) {
    scratch_.set(L"m", REG_MULTI_SZ, raw(L"xabc" + Z + L"DEF" + Z + Z));
    auto abc = configured<RegMultiStringCheckItem>(multiString(L"abc", L"true"));
    auto def = configured<RegMultiStringCheckItem>(multiString(L"def"));
    EXPECT_FALSE(abc->getCurrentState());
    EXPECT_TRUE(def->getCurrentState());
    SaveTarget target(L"unused");
    abc->store(target);
    EXPECT_EQ(storedText(target, keyPath(), L"m"), L"xabc" + Z + L"DEF" + Z);
    def->setCurrentState(false);
    def->apply();
    EXPECT_EQ(stored(L"m").data, bytes(L"xabc" + Z + Z));
    // A missing value shows the default; checking makes a list of one string.
    auto missing = configured<RegMultiStringCheckItem>(multiString(L"Abc", L"TRUE"), L"none");
    EXPECT_TRUE(missing->getCurrentState());
    auto adding = configured<RegMultiStringCheckItem>(multiString(L"Abc", L"no"), L"none");
    adding->setCurrentState(true);
    adding->apply();
    EXPECT_EQ(stored(L"m", L"none").type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(stored(L"m", L"none").data, bytes(L"Abc" + Z + Z));
}

TEST_F(ItemTest, EntryItemsPlaceTheirNumberOrFallBack) {
    scratch_.set(L"t", REG_SZ, raw(L"a=1 b=x c=3,4" + Z));
    const std::pair<std::vector<Param>, int32_t> reads[] = {
        {entry(L"a"), 1},       {entry(L"b"), 7},       {entry(L"z"), 7},
        {entry(L"c", L"1"), 4}, {entry(L"c", L"2"), 7}, {entry(L"a", L"0"), 1},
    };
    for (const auto& [params, value] : reads) {
        const bool list = params.size() > 4;
        EXPECT_EQ(list ? configured<RegMultiListValueItem>(params)->getCurrentValue()
                       : configured<RegMultiValueItem>(params)->getCurrentValue(),
                  value)
            << params[2].text;
    }
    auto corrected = configured<RegMultiValueItem>(entry(L"b", L"", L"a=0 b=0"), L"none");
    corrected->setCurrentValue(5);
    corrected->apply();
    EXPECT_EQ(stored(L"t", L"none").data, bytes(L"a=0 b=5" + Z));

    auto fallback = configured<RegMultiListValueItem>(entry(L"c", L"2", L"c=0,0,0"));
    fallback->setCurrentValue(9);
    fallback->apply();
    EXPECT_EQ(stored(L"t").data, bytes(L"c=0,0,9" + Z));
    scratch_.set(L"t", REG_SZ, raw(L"a=1 c=3,4" + Z));
    const std::pair<std::wstring, std::wstring> failures[] = {
        {L"", L"no systemValueString"}, {L"a=0", L"no entryName"}, {L"c=0", L"index out of range"}};
    for (const auto& [correction, message] : failures) {
        auto item = configured<RegMultiListValueItem>(entry(L"c", L"2", correction));
        item->setCurrentValue(9);
        EXPECT_EQ(messageOf<IllegalArgumentException>([&] { item->apply(); }), message);
        EXPECT_FALSE(item->isApplied());
        SaveTarget target(L"unused");
        EXPECT_EQ(messageOf<IllegalArgumentException>([&] { item->store(target); }), message);
    }
    EXPECT_EQ(stored(L"t").data, bytes(L"a=1 c=3,4" + Z));
    SaveTarget target(L"unused");
    scratch_.set(L"other", REG_DWORD, raw(0u), L"bare");
    auto missing = configured<RegMultiListValueItem>(entry(L"c", L"0", L"c=0"), L"bare");
    EXPECT_EQ(messageOf<RegKeyException>([&] { missing->store(target); }), L"query value: t");
}

TEST_F(ItemTest, FaultyChoiceBitAndEntryDefinitionsFail) {
    EXPECT_EQ(messageOf<ConfigException>([&] {
                  configured<RegToggleItem>(toggle(L"REG_SZ", L"x", {L"a", L"b"}));
              }),
              L"default no match: x");
    std::vector<Param> untyped = toggle(L"REG_SZ", L"a", {L"a"});
    untyped.erase(untyped.begin() + 1);
    EXPECT_EQ(messageOf<ConfigException>([&] { configured<RegToggleItem>(untyped); }), L"RegType");
    const std::vector<Param> noDefault = {{L"value", L"v"}, {L"type", L"REG_DWORD"}};
    EXPECT_EQ(messageOf<NumberFormatException>([&] { configured<Bits>(noDefault); }), NULL_STRING);
    EXPECT_EQ(messageOf<NumberFormatException>([&] { configured<RegMultiValueItem>(noDefault); }),
              NULL_STRING);
    EXPECT_EQ(messageOf<NumberFormatException>(
                  [&] { configured<RegMultiListValueItem>(entry(L"a", L"x")); }),
              L"x");
}

// Edits applied to the items of one key, and the same edits saved to a file
// and imported into another key, must leave the same data.
TEST_F(ItemTest, SavedFileImportsToWhatApplyingWrites) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring file =
        joinPath(temp, L"velmora-items-" + std::to_wstring(GetCurrentProcessId()) + L".reg");
    SaveTarget target(file);
    for (const std::wstring below : {L"applied", L"saved"}) {
        scratch_.set(L"m", REG_MULTI_SZ, raw(L"def" + Z + L"xabc" + Z + Z), below);
        scratch_.set(L"t", REG_SZ, raw(L"a=1 b=2,3,4" + Z), below);
        std::vector<std::unique_ptr<Item>> items;
        items.push_back(configured<RegMultiStringCheckItem>(multiString(L"abc"), below));
        dynamic_cast<CheckItem&>(*items.back()).setCurrentState(true);
        items.push_back(configured<RegMultiStringCheckItem>(multiString(L"DEF"), below));
        dynamic_cast<CheckItem&>(*items.back()).setCurrentState(false);
        const std::pair<std::vector<Param>, int32_t> numbers[] = {
            {entry(L"a"), 5}, {entry(L"c"), 6}, {entry(L"b", L"1"), 9}};
        for (const auto& [params, value] : numbers) {
            if (params.size() > 4) {
                items.push_back(configured<RegMultiListValueItem>(params, below));
            } else {
                items.push_back(configured<RegMultiValueItem>(params, below));
            }
            dynamic_cast<ValueItem&>(*items.back()).setCurrentValue(value);
        }
        for (const auto& item : items) below == L"applied" ? item->apply() : item->store(target);
    }
    target.finish();
    // Under Wine a process now and then fails to start; the import is tried again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        try {
            RegistryStorage::importRegFile(file);
            break;
        } catch (const IOException&) {
        }
    }
    DeleteFileW(file.c_str());
    EXPECT_EQ(stored(L"m", L"applied").data, bytes(L"xabc" + Z + L"abc" + Z + Z));
    EXPECT_EQ(stored(L"t", L"applied").data, bytes(L"a=5 b=2,9,4 c=6" + Z));
    for (const wchar_t* name : {L"m", L"t"}) {
        EXPECT_EQ(stored(name, L"saved").type, stored(name, L"applied").type);
        EXPECT_EQ(stored(name, L"saved").data, stored(name, L"applied").data);
    }
}

}  // namespace
