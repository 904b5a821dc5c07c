#include "config/DefinitionLoader.h"

#include <gtest/gtest.h>

#include "../registry/ScratchKey.h"
#include "DefinitionDir.h"
#include "config/Category.h"
#include "config/ClassTable.h"
#include "config/ItemGroup.h"
#include "config/ItemGroupSelector.h"
#include "core/Exception.h"
#include "items/RegCheckItem.h"
#include "items/RegValueItem.h"

namespace {

// A selector with one fixed key, enough to tell it from a plain category.
class TestSelector : public ItemGroupSelector {
public:
    void configure(const xml::Element&) override { ++configured; }
    const std::vector<std::wstring>& getKeys() const override { return keys_; }
    const std::wstring& getKeyName(const std::wstring&) const override { return keys_[0]; }
    const std::wstring& getSelectorLabel() const override { return keys_[0]; }
    const std::vector<ItemGroup*>& getItemGroupsFor(const std::wstring&) const override {
        return getItemGroups();
    }
    int configured = 0;

private:
    std::vector<std::wstring> keys_{L"k"};
};

class RefusedItem : public RegValueItem {
public:
    RefusedItem() { throw IllegalArgumentException(L"refused"); }
};

// A number item over the scratch key; the placeholder @KEY@ in every file
// becomes the scratch key's path.
const std::wstring NUMBER_ITEM =
    LR"(<item class="velmora.reg.RegValueItem" id="ID"><name>ID name</name>
  <params><key>@KEY@</key><value>ID</value><type>REG_DWORD</type><default>1</default></params>
</item>)";

std::wstring numberItem(const std::wstring& id) { return replaced(NUMBER_ITEM, L"ID", id); }

std::wstring root(const std::wstring& groups) { return L"<groups>" + groups + L"</groups>"; }

std::wstring category(const std::wstring& id, const std::wstring& content,
                      const std::wstring& attributes = L"") {
    return L"<group id=\"" + id + L"\"" + attributes + L">" + content + L"</group>";
}

class LoaderTest : public testing::Test {
protected:
    void SetUp() override {
        ClassTable::registerClasses();
        ClassTable::addSelectorClass<TestSelector>(L"test.Selector");
        ClassTable::addItemClass<RefusedItem>(L"test.Refused");
    }

    void write(const std::wstring& name, const std::wstring& text) {
        dir_.write(name, replaced(text, L"@KEY@", scratch_.path()));
    }

    std::vector<Category*> load() {
        DefinitionLoader loader(dir_.path());
        loader.loadAll();
        return loader.getCategories();
    }

    // The message of the exception of type E that loading throws.
    template <typename E = ConfigException>
    std::wstring failure() {
        return messageOf<E>([this] { load(); });
    }

    static std::wstring ids(const std::vector<Category*>& categories) {
        std::wstring text;
        for (const Category* c : categories) text += c->getId() + L" ";
        return text;
    }
    static std::wstring groupIds(const Category& category) {
        std::wstring text;
        for (const ItemGroup* g : category.getItemGroups()) {
            text += g->getId() + L"(";
            for (const Item* item : g->getItems()) text += item->getId() + L" ";
            text += L") ";
        }
        return text;
    }

    ScratchKey scratch_;
    DefinitionDir dir_;
};

TEST_F(LoaderTest, RootFilesAreFoundAndReadInCodeUnitOrder) {
    EXPECT_EQ(failure<IOException>(), L"::FindFirstFile(" + dir_.path() + L"\\root*.xml) failed");
    EXPECT_EQ(
        messageOf<IOException>([this] { DefinitionLoader(dir_.path() + L"\\none").loadAll(); }),
        L"::FindFirstFile(" + dir_.path() + L"\\none\\root*.xml) failed");

    for (const std::wstring name : {L"root2", L"root10", L"root", L"roota", L"rootB"}) {
        write(name + L".xml", root(category(L"c-" + name, L"")));
    }
    write(L"other.xml", root(category(L"not-a-root", L"")));
    EXPECT_EQ(ids(load()), L"c-root c-root10 c-root2 c-rootB c-roota ");
}

TEST_F(LoaderTest, CategoriesWithOneIdMergeAcrossFiles) {
    write(L"root1.xml",
          root(category(L"c", L"<name>first</name><help>first help</help><group id=\"g1\">" +
                                  numberItem(L"a") + L"</group>")));
    write(L"root2.xml", root(category(L"c", L"<group id=\"g2\">" + numberItem(L"b") +
                                                L"</group><name>second</name>")));
    const std::vector<Category*> categories = load();
    ASSERT_EQ(categories.size(), 1u);
    EXPECT_EQ(categories[0]->getName(), L"second");
    EXPECT_EQ(categories[0]->getHelp(), L"first help");
    EXPECT_EQ(groupIds(*categories[0]), L"g1(a ) g2(b ) ");
    EXPECT_EQ(categories[0]->getItemGroups()[1]->getParent(), categories[0]);
}

TEST_F(LoaderTest, ASelectorClassIsTakenOnlyForANewId) {
    write(L"root1.xml", root(category(L"sel", L"<params/><params/>", L" class=\"test.Selector\"")));
    write(L"root2.xml", root(category(L"sel", L"<params/><group id=\"g\"/>")));
    const std::vector<Category*> categories = load();
    ASSERT_EQ(categories.size(), 1u);
    auto* selector = dynamic_cast<TestSelector*>(categories[0]);
    ASSERT_NE(selector, nullptr);
    EXPECT_EQ(selector->configured, 3);
    EXPECT_EQ(groupIds(*selector), L"g() ");
    EXPECT_EQ(selector->getShortHelp(), NULL_STRING);

    write(L"root3.xml", root(category(L"sel", L"", L" class=\"test.Selector\"")));
    EXPECT_EQ(failure(), L"duplicate id with class: sel");
    write(L"root3.xml", root(category(L"sel", L"", L" class=\"\"")));
    EXPECT_EQ(failure(), L"duplicate id with class: sel");
}

TEST_F(LoaderTest, SrcReferencesPlaceSubCategoriesUnderTheirFirstParent) {
    write(L"a.xml", category(L"A", L"<name>A</name>"));
    write(L"b.xml", category(L"B", L"<name>B</name>", L" src=\"ignored.xml\" expand=\"true\""));
    write(L"c.xml", L"<!-- first group element counts -->" + category(L"C", L"") +
                        category(L"not-read", L""));
    write(L"root.xml",
          root(L"<group src=\"a.xml\" expand=\"TRUE\">"
               L"  <group src=\"b.xml\"/>"
               L"  <group src=\"a.xml\"/>"  // itself: no cycle
               L"  " +
               category(L"inline", L"", L" expand=\"true\"") +
               L"</group>"
               L"<group src=\"c.xml\" expand=\"yes\"><group src=\"b.xml\"/></group>"
               L"<group src=\"b.xml\" expand=\"true\"><group src=\"a.xml\"/></group>"));
    const std::vector<Category*> categories = load();
    EXPECT_EQ(ids(categories), L"A B inline C ");
    Category& a = *categories[0];
    Category& b = *categories[1];
    Category& c = *categories[3];
    EXPECT_EQ(a.getParent(), nullptr);
    EXPECT_TRUE(a.isExpanded());
    ASSERT_EQ(a.getSubCategories().size(), 2u);
    EXPECT_EQ(a.getSubCategories()[0], &b);
    EXPECT_EQ(a.getSubCategories()[1], categories[2]);
    EXPECT_EQ(b.getParent(), &a);
    EXPECT_TRUE(b.isExpanded());  // from the last reference
    EXPECT_FALSE(categories[2]->isExpanded());
    EXPECT_FALSE(c.isExpanded());
    EXPECT_TRUE(c.getSubCategories().empty());
    // A is above B: placing it below B would close a cycle.
    EXPECT_TRUE(b.getSubCategories().empty());
}

TEST_F(LoaderTest, ItemsReadTheirDefinitionAndValue) {
    const std::wstring valueName = L"a";
    ASSERT_EQ(setRawValue(HKEY_CURRENT_USER, scratch_.subKey(), &valueName, REG_DWORD,
                          std::string("\x07\0\0\0", 4)),
              ERROR_SUCCESS);
    write(L"root.xml",
          root(category(
              L"c",
              L"<group id=\"g\"><name>G</name><shortHelp>&#32;short </shortHelp><help>gh</help>" +
                  replaced(numberItem(L"a"), L"</item>",
                           L"<affectTarget>system</affectTarget><affectTarget>user</affectTarget>"
                           L"<postChanged>reboot</postChanged><name>last</name></item>") +
                  replaced(
                      numberItem(L"b"), L"</item>",
                      L"<affectTarget>no</affectTarget><postChanged>logoff</postChanged></item>") +
                  L"</group>" +
                  replaced(numberItem(L"lone"), L"</item>", L"<help>lone help</help></item>"))));
    const std::vector<Category*> categories = load();
    ASSERT_EQ(categories.size(), 1u);
    const std::vector<ItemGroup*>& groups = categories[0]->getItemGroups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0]->getName(), L"G");
    EXPECT_EQ(groups[0]->getShortHelp(), L" short ");
    EXPECT_EQ(groups[0]->getHelp(), L"gh");
    ASSERT_EQ(groups[0]->getItemCount(), 2);
    const Item& a = *groups[0]->getItems()[0];
    EXPECT_EQ(a.getName(), L"last");
    EXPECT_EQ(a.getAffectTarget(), 0x00010000u);
    EXPECT_EQ(a.getPostChanged(), 2);
    EXPECT_EQ(a.getItemGroup(), groups[0]);
    EXPECT_EQ(dynamic_cast<const ValueItem&>(a).getCurrentValue(), 7);
    EXPECT_EQ(qualifiedIdOf(a), L"c.g.a");
    const Item& b = *groups[0]->getItems()[1];
    EXPECT_EQ(b.getAffectTarget(), 0u);
    EXPECT_EQ(b.getPostChanged(), 1);
    EXPECT_EQ(dynamic_cast<const ValueItem&>(b).getCurrentValue(), 1);

    // A lone item is a group of one with the item's own texts.
    const ItemGroup& lone = *groups[1];
    ASSERT_EQ(lone.getItemCount(), 1);
    const Item& item = *lone.getItems()[0];
    EXPECT_EQ(item.getItemGroup(), &lone);
    EXPECT_EQ(lone.getParent(), categories[0]);
    EXPECT_EQ(lone.getId(), L"lone");
    EXPECT_EQ(lone.getName(), L"lone name");
    EXPECT_EQ(lone.getHelp(), L"lone help");
    EXPECT_EQ(lone.getShortHelp(), scratch_.path() + L"\\lone");
    EXPECT_EQ(qualifiedIdOf(item), L"c.lone.lone");
    EXPECT_EQ(item.getAffectTarget(), 0xFFFFFFFFu);
}

TEST_F(LoaderTest, EveryDefinitionErrorHasItsMessage) {
    const std::wstring item = numberItem(L"i");
    const std::vector<std::pair<std::wstring, std::wstring>> cases = {
        {L"<other/>", L"no groups element"},
        {root(L"<group src=\"empty.xml\"/>"), L"no group element"},
        {root(L"<group/>"), L"no id specified on category defenition (group element)"},
        {root(L"<group id=\"\"/>"), L"no id specified on category defenition (group element)"},
        {root(category(L"c", L"", L" class=\"velmora.reg.RegValueItem\"")),
         L"velmora.reg.RegValueItem"},
        {root(category(L"c", L"", L" class=\"\"")), L""},
        {root(category(L"c", L"<group/>")), L"no id specified in group element"},
        {root(category(L"c", L"<item id=\"i\"/>")),
         L"no class attribute specified in item element"},
        {root(category(L"c", L"<item class=\"\" id=\"i\"/>")),
         L"no class attribute specified in item element"},
        {root(category(L"c", L"<item class=\"test.Selector\" id=\"i\"/>")), L"test.Selector"},
        {root(category(L"c", L"<item class=\"velmora.reg.nope\" id=\"i\"/>")), L"velmora.reg.nope"},
        {root(category(L"c", L"<item class=\"test.Refused\" id=\"i\"/>")), L"test.Refused"},
        {root(category(L"c", L"<item class=\"velmora.reg.RegValueItem\"/>")),
         L"no id specified in item element"},
        {root(category(
             L"c", replaced(item, L"</item>", L"<affectTarget>&#32;user</affectTarget></item>"))),
         L"illegal <affectTarget>:  user"},
        {root(category(L"c",
                       replaced(item, L"</item>", L"<affectTarget>System</affectTarget></item>"))),
         L"illegal <affectTarget>: System"},
        {root(category(L"c",
                       replaced(item, L"</item>", L"<postChanged>restart</postChanged></item>"))),
         L"illegal <postChanged>: restart"},
    };
    dir_.write(L"empty.xml", L"<groups/>");
    for (const auto& [text, message] : cases) {
        write(L"root.xml", text);
        EXPECT_EQ(failure(), message) << text;
    }
    // Errors of reading, parsing and configuring pass through unchanged.
    write(L"root.xml", root(category(L"c", replaced(item, L"<default>1</default>", L""))));
    EXPECT_EQ(failure<NumberFormatException>(), NULL_STRING);
    write(L"root.xml", root(L"<group src=\"missing.xml\"/>"));
    EXPECT_EQ(failure<FileNotFoundException>(), dir_.path() + L"\\missing.xml");
    write(L"root.xml", root(L"<group src=\"\"/>"));
    EXPECT_THROW(load(), IOException);
    dir_.writeRaw(L"root.xml", L"<groups/>");
    EXPECT_EQ(failure<xml::XMLException>(), L"no xml declaration");
}

TEST_F(LoaderTest, HelpTextTakesBreaksFromEscapedTextOrElements) {
    const std::vector<std::pair<std::wstring, std::wstring>> cases = {
        {L"First line&lt;br&gt;  second line", L"First line\r\nsecond line"},
        {L"\n    one\n\t two &lt;br&gt;&lt;br&gt;three  ", L"one two\r\n\r\nthree"},
        {L"a<br/>b", L"a\rb"},
        {L"a <b>bold\n text</b><br/> c&#9;", L"a bold text\rc "},
        {L"&lt;br&gt;", L"\r\n"},
        {L"", L""},
    };
    for (const auto& [help, expected] : cases) {
        write(L"root.xml", root(category(L"c", L"<help>" + help + L"</help>")));
        EXPECT_EQ(load()[0]->getHelp(), expected) << help;
    }
}

TEST(ClassTable, LooksUpEachKindInItsOwnMap) {
    ClassTable::registerClasses();
    ClassTable::addSelectorClass<TestSelector>(L"test.Selector");
    Item* item = ClassTable::createItem(L"velmora.reg.RegCheckItem");
    EXPECT_NE(dynamic_cast<RegCheckItem*>(item), nullptr);
    EXPECT_EQ(ClassTable::itemClassName(*item), L"velmora.reg.RegCheckItem");
    EXPECT_NE(dynamic_cast<RegValueItem*>(ClassTable::createItem(L"velmora.reg.RegValueItem")),
              nullptr);
    EXPECT_EQ(ClassTable::selectorClassName(*ClassTable::createSelector(L"test.Selector")),
              L"test.Selector");
    for (const std::wstring name : {L"test.Selector", L"velmora.reg.regcheckitem", L""}) {
        EXPECT_EQ(messageOf<ConfigException>([&] { ClassTable::createItem(name); }), name);
    }
    EXPECT_EQ(
        messageOf<ConfigException>([] { ClassTable::createSelector(L"velmora.reg.RegCheckItem"); }),
        L"velmora.reg.RegCheckItem");
}

}  // namespace
