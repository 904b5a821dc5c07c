#include "config/DefinitionLoader.h"

#include <gtest/gtest.h>

#include "../registry/ScratchKey.h"
#include "../core/ScratchDir.h"
#include "config/Category.h"
#include "config/ClassTable.h"
#include "config/ItemGroup.h"
#include "config/ItemGroupSelector.h"
#include "core/Exception.h"
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

// A number item over the scratch key, with more elements inside if given.
std::wstring item(const std::wstring& id, const std::wstring& more = L"") {
    return L"<item class=\"velmora.reg.RegValueItem\" id=\"" + id + L"\"><name>" + id +
           L" name</name><params><key>@KEY@</key><value>" + id +
           L"</value><type>REG_DWORD</type><default>1</default></params>" + more + L"</item>";
}

std::wstring category(const std::wstring& id, const std::wstring& content,
                      const std::wstring& attributes = L"") {
    return L"<group id=\"" + id + L"\"" + attributes + L">" + content + L"</group>";
}

std::wstring root(const std::wstring& groups) { return L"<groups>" + groups + L"</groups>"; }

class LoaderTest : public testing::Test {
protected:
    void SetUp() override {
        ClassTable::registerClasses();
        ClassTable::addSelectorClass<TestSelector>(L"test.Selector");
        ClassTable::addItemClass<RefusedItem>(L"test.Refused");
    }

    void write(const std::wstring& name, const std::wstring& text) {
        dir_.write(name, text, scratch_.path());
    }

    std::vector<Category*> load() {
        DefinitionLoader loader(dir_.path());
        loader.loadAll();
        return loader.getCategories();
    }

    template <typename E = ConfigException>
    std::wstring failure() {
        return messageOf<E>([this] { load(); });
    }

    // Categories, their groups and items, as "id(group[item item] group[])".
    static std::wstring ids(const std::vector<Category*>& categories) {
        std::wstring text;
        for (const Category* c : categories) {
            text += c->getId() + L"(";
            for (const ItemGroup* g : c->getItemGroups()) {
                text += g->getId() + L"[";
                for (const Item* i : g->getItems()) text += i->getId() + L" ";
                text += L"]";
            }
            text += L") ";
        }
        return text;
    }

    ScratchKey scratch_;
    ScratchDir dir_;
};

TEST_F(LoaderTest, ReadsRootFilesInCodeUnitOrderAndMergesCategoriesById) {
    EXPECT_EQ(failure<IOException>(), L"::FindFirstFile(" + dir_.path() + L"\\root*.xml) failed");
    for (const std::wstring name : {L"root2", L"root10", L"rootB", L"roota"}) {
        write(name + L".xml", root(category(L"c-" + name, L"")));
    }
    write(L"other.xml", root(category(L"not-a-root", L"")));
    write(L"root.xml",
          root(category(L"c", L"<name>first</name><help>first help</help><group id=\"g1\">" +
                                  item(L"a") + L"</group>")));
    write(L"root1.xml",
          root(category(L"c", L"<group id=\"g2\">" + item(L"b") + L"</group><name>second</name>")));
    const std::vector<Category*> categories = load();
    EXPECT_EQ(ids(categories), L"c(g1[a ]g2[b ]) c-root10() c-root2() c-rootB() c-roota() ");
    EXPECT_EQ(categories[0]->getName(), L"second");
    EXPECT_EQ(categories[0]->getHelp(), L"first help");
    EXPECT_EQ(categories[0]->getItemGroups()[1]->getParent(), categories[0]);
}

TEST_F(LoaderTest, ASelectorClassIsTakenOnlyForANewId) {
    write(L"root1.xml", root(category(L"sel", L"<params/><params/>", L" class=\"test.Selector\"")));
    write(L"root2.xml", root(category(L"sel", L"<params/><group id=\"g\"/>")));
    const std::vector<Category*> categories = load();
    ASSERT_EQ(ids(categories), L"sel(g[]) ");
    ASSERT_NE(dynamic_cast<TestSelector*>(categories[0]), nullptr);
    EXPECT_EQ(dynamic_cast<TestSelector*>(categories[0])->configured, 3);
    write(L"root3.xml", root(category(L"sel", L"", L" class=\"\"")));
    EXPECT_EQ(failure(), L"duplicate id with class: sel");
}

TEST_F(LoaderTest, SrcReferencesPlaceSubCategoriesUnderTheirFirstParent) {
    write(L"a.xml", category(L"A", L""));
    write(L"b.xml", category(L"B", L"", L" src=\"ignored.xml\" expand=\"true\""));
    write(L"c.xml", L"<!-- the first group counts -->" + category(L"C", L"") + category(L"D", L""));
    write(L"root.xml", root(L"<group src=\"a.xml\" expand=\"TRUE\"><group src=\"b.xml\"/>"
                            L"<group src=\"a.xml\"/>" +  // itself: no cycle
                            category(L"inline", L"", L" expand=\"true\"") +
                            L"</group><group src=\"c.xml\" expand=\"yes\"><group src=\"b.xml\"/>"
                            L"</group><group src=\"b.xml\" expand=\"true\"><group src=\"a.xml\"/>"
                            L"</group>"));
    const std::vector<Category*> c = load();
    ASSERT_EQ(ids(c), L"A() B() inline() C() ");
    EXPECT_EQ(c[0]->getSubCategories(), (std::vector<Category*>{c[1], c[2]}));
    EXPECT_EQ(c[0]->getParent(), nullptr);
    EXPECT_EQ(c[1]->getParent(), c[0]);
    EXPECT_TRUE(c[3]->getSubCategories().empty());
    // A is above B: placing it below B would close a cycle.
    EXPECT_TRUE(c[1]->getSubCategories().empty());
    // The last reference sets expand; an unparsable value leaves it false.
    const bool expanded[] = {true, true, false, false};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(c[i]->isExpanded(), expanded[i]) << i;
}

// What each item holds (targets, what follows a change, the values read) the
// dump test shows; here, how a definition's elements reach them.
TEST_F(LoaderTest, ItemsReadTheirDefinition) {
    write(L"root.xml",
          root(category(L"c",
                        L"<group id=\"g\"><name>G</name><shortHelp>&#32;short </shortHelp>"
                        L"<help>gh</help>" +
                            item(L"a",
                                 L"<affectTarget>system</affectTarget><affectTarget>"
                                 L"user</affectTarget><name>last</name>") +
                            item(L"b", L"<affectTarget>no</affectTarget>") +
                            L"</group>" + item(L"lone", L"<help>lone help</help>"))));
    const std::vector<Category*> categories = load();
    ASSERT_EQ(ids(categories), L"c(g[a b ]lone[lone ]) ");
    const ItemGroup& g = *categories[0]->getItemGroups()[0];
    EXPECT_EQ(g.getName() + L"|" + g.getShortHelp() + L"|" + g.getHelp(), L"G| short |gh");
    const Item& a = *g.getItems()[0];
    EXPECT_EQ(a.getName(), L"last");
    EXPECT_EQ(a.getAffectTarget(), 0x00010000u);
    EXPECT_EQ(a.getItemGroup(), &g);
    EXPECT_EQ(g.getItems()[1]->getAffectTarget(), 0u);

    // A lone item is a group of one with the item's own texts.
    const ItemGroup& lone = *categories[0]->getItemGroups()[1];
    EXPECT_EQ(lone.getItems()[0]->getItemGroup(), &lone);
    EXPECT_EQ(lone.getParent(), categories[0]);
    EXPECT_EQ(lone.getName() + L"|" + lone.getHelp() + L"|" + lone.getShortHelp(),
              L"lone name|lone help|" + scratch_.path() + L"\\lone");
    EXPECT_EQ(qualifiedIdOf(*lone.getItems()[0]), L"c.lone.lone");
}

TEST_F(LoaderTest, EveryDefinitionErrorHasItsMessage) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"<other/>", L"no groups element"},
        {root(L"<group src=\"empty.xml\"/>"), L"no group element"},
        {root(L"<group id=\"\"/>"), L"no id specified on category defenition (group element)"},
        {root(category(L"c", L"", L" class=\"velmora.reg.RegValueItem\"")),
         L"velmora.reg.RegValueItem"},
        {root(category(L"c", L"<group/>")), L"no id specified in group element"},
        {root(category(L"c", L"<item class=\"\" id=\"i\"/>")),
         L"no class attribute specified in item element"},
        {root(category(L"c", L"<item class=\"test.Selector\" id=\"i\"/>")), L"test.Selector"},
        {root(category(L"c", L"<item class=\"test.Refused\" id=\"i\"/>")), L"test.Refused"},
        {root(category(L"c", L"<item class=\"velmora.reg.RegValueItem\"/>")),
         L"no id specified in item element"},
        {root(category(L"c", item(L"i", L"<affectTarget>System</affectTarget>"))),
         L"illegal <affectTarget>: System"},
        {root(category(L"c", item(L"i", L"<postChanged>restart</postChanged>"))),
         L"illegal <postChanged>: restart"},
    };
    write(L"empty.xml", L"<groups/>");
    for (const auto& [text, message] : cases) {
        write(L"root.xml", text);
        EXPECT_EQ(failure(), message) << text;
    }
    // Errors of reading, parsing and configuring pass through unchanged.
    write(L"root.xml", root(L"<group src=\"missing.xml\"/>"));
    EXPECT_EQ(failure<FileNotFoundException>(), dir_.path() + L"\\missing.xml");
    dir_.write(L"root.xml", L"<groups/>", L"", false);
    EXPECT_EQ(failure<xml::XMLException>(), L"no xml declaration");
}

// Help takes its breaks from escaped text or from elements. Nesting deeper
// than any stack could follow: the help is read whole, and references end at
// their limit after reading no more files than it allows.
TEST_F(LoaderTest, HelpOfAnyDepthLoadsAndDeepReferencesFailNamingTheLimit) {
    const auto nested = [](const std::wstring& open, const std::wstring& inner,
                           const std::wstring& close, int levels) {
        std::wstring text;
        for (int i = 0; i < levels; ++i) text += open;
        text += inner;
        for (int i = 0; i < levels; ++i) text += close;
        return text;
    };
    const auto help = [](const std::wstring& text) {
        return root(category(L"c", L"<help>" + text + L"</help>"));
    };
    const std::wstring tooDeep = L"category references nested deeper than 256 levels";
    const std::pair<std::wstring, std::wstring> cases[] = {
        {help(L"\n    one\n\t two &lt;br&gt;&lt;br&gt;three  "), L"one two\r\n\r\nthree"},
        {help(L"a <b>bold\n text</b><br/> c&#9;"), L"a bold text\rc "},
        {help(L""), L""},
        {help(nested(L"<b>", L"x <br/>y", L"</b>", 1000000)), L"x \ry"},
        {root(nested(L"<group src=\"a.xml\">", L"", L"</group>", 256)), L""},
        {root(nested(L"<group src=\"a.xml\">", L"", L"</group>", 257)), tooDeep},
        {root(nested(L"<group src=\"a.xml\">", L"", L"</group>", 100000)), tooDeep},
    };
    write(L"a.xml", category(L"A", L""));
    for (const auto& [text, result] : cases) {
        write(L"root.xml", text);
        try {
            EXPECT_EQ(load()[0]->getHelp(), result) << text.substr(0, 80);
        } catch (const ConfigException& e) {
            EXPECT_EQ(e.getMessage(), result);
        }
    }
}

}  // namespace
