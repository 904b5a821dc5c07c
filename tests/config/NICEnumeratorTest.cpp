#include "config/NICEnumerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>

#include "../items/ItemFixture.h"
#include "../core/ScratchDir.h"
#include "app/CatalogueDump.h"
#include "config/ClassTable.h"
#include "config/DefinitionLoader.h"
#include "config/ItemGroup.h"
#include "items/Inheritable.h"
#include "items/Tuned.h"

namespace {

struct Value {
    const wchar_t* name;
    DWORD type;
    std::string data;
};
// The values of one adapter key; the keys are numbered in order.
using Adapter = std::vector<Value>;

Value id(const std::wstring& text) { return {L"id", REG_SZ, raw(text)}; }

// An item over the system-wide key, with parameters of its own.
std::wstring item(const std::wstring& itemId, const std::wstring& more = L"",
                  const std::wstring& cls = L"nic.NICValueItem") {
    return L"<item class=\"velmora.reg." + cls + L"\" id=\"" + itemId +
           L"\"><params><key>@KEY@\\global</key><value>" + itemId +
           L"</value><type>REG_DWORD</type><true>1</true><false>0</false><default>0</default>" +
           more + L"</params></item>";
}
const std::wstring inherits = L"<interfaces><inherit/></interfaces>";

// "key(name):group[item@key ...]" for every key; the system-wide id's
// control character shows as ~.
std::wstring shape(const NICEnumerator& nic) {
    std::wstring text;
    for (const std::wstring& key : nic.getKeys()) {
        text += (text.empty() ? L"" : L" ") + key + L"(" + nic.getKeyName(key) + L"):";
        for (const ItemGroup* group : nic.getItemGroupsFor(key)) {
            text += group->getId() + L"[";
            for (const Item* i : group->getItems())
                text += (i == group->getItems()[0] ? L"" : L" ") + i->getId() + L"@" +
                        fileNameOf(dynamic_cast<const AbstractRegItem&>(*i).getKeyPath());
            text += L"]";
        }
    }
    for (wchar_t& c : text) c = c == L'\x0001' ? L'~' : c;
    return text;
}

class Adapters : public testing::Test {
protected:
    void SetUp() override {
        ClassTable::registerClasses();
        scratch_.emplace();
    }

    NICEnumerator& load(const std::vector<Adapter>& adapters, const std::wstring& items,
                        bool global = true) {
        for (size_t i = 0; i < adapters.size(); ++i) {
            for (const Value& v : adapters[i])
                scratch_->set(v.name, v.type, v.data, L"adapters\\a" + toString(int32_t(i + 10)));
        }
        std::wstring root =
            LR"(<groups><group id="nic" class="velmora.reg.nic.NICEnumerator">
<params><label>adapter</label><key>@KEY@\adapters</key><classidValue>id</classidValue>
<nameValues><nameValue>desc</nameValue><nameValue>name</nameValue></nameValues>
<global><name>全体</name><key>@KEY@\global</key></global>
<interfaces><key>@KEY@\interfaces</key></interfaces></params><group id="tcp">)" +
            items + L"</group></group></groups>";
        if (!global)
            root.erase(root.find(L"<global>"), root.find(L"<interfaces>") - root.find(L"<global>"));
        dir_.write(L"root.xml", root, scratch_->path());
        DefinitionLoader loader(dir_.path());
        loader.loadAll();
        return dynamic_cast<NICEnumerator&>(*loader.getCategories().at(0));
    }

    // A fresh one for every case.
    std::optional<ScratchKey> scratch_;
    ScratchDir dir_;
};

const std::vector<Adapter> two = {
    {id(L"{AA}"), {L"desc", REG_SZ, raw(L"Intel")}},
    // The first name value there wins, even empty.
    {id(L"{bb}"), {L"desc", REG_SZ, raw(L"")}, {L"name", REG_SZ, raw(L"B")}}};
const std::wstring everyKind = item(L"a") + item(L"g", L"<select>globalOnly</select>") +
                               item(L"i", L"<select>interfacesOnly</select>") +
                               item(L"e", L"<select></select>") + item(L"r", L"", L"RegValueItem");

// The interface keys of the adapters exist, but that of {gone}.
const struct PlacementCase {
    std::vector<Adapter> adapters;
    std::wstring items;
    bool global;
    std::wstring shape;
} placementCases[] = {
    {two, everyKind, true,
     L"~global(全体):tcp.~global[a@global g@global r@global] "
     L"{aa}(Intel):tcp.{aa}[a@{AA} i@{AA}] {bb}():tcp.{bb}[a@{bb} i@{bb}]"},
    // Without a system-wide entry no adapter takes the system-wide items.
    {two, everyKind, false, L"{aa}(Intel):tcp.{aa}[a@{AA} i@{AA}] {bb}():tcp.{bb}[a@{bb} i@{bb}]"},
    {two, item(L"g", L"<select>globalOnly</select>"), true,
     L"~global(全体):tcp.~global[g@global] {aa}(Intel): {bb}():"},
    {{}, item(L"a"), true, L"~global(全体):tcp.~global[a@global]"},
    // Broken and hostile adapters are left out.
    {{{{L"other", REG_SZ, raw(L"{ee}")}},
      {{L"id", REG_DWORD, raw(7)}},
      {id(std::wstring(100000, L'x'))},
      {id(L"x\\y")},
      {id(L"")},
      {id(L"\x0001global"), {L"name", REG_SZ, raw(L"偽")}},
      {id(L"{gone}")},
      {id(L"{Cc}"), {L"desc", REG_DWORD, raw(1)}, {L"name", REG_SZ, raw(L"C")}},
      {id(L"{cC}"), {L"name", REG_SZ, raw(L"dup")}},
      {id(L"{dd}")},
      // One interface key to the registry, which folds case beyond ASCII.
      {id(L"{\x00C4x}")},
      {id(L"{\x00E4x}")}},
     item(L"a"),
     true,
     L"~global(全体):tcp.~global[a@global] {cc}(C):tcp.{cc}[a@{Cc}] {dd}({dd}):tcp.{dd}[a@{dd}] "
     L"{\x00C4x}({\x00C4x}):tcp.{\x00C4x}[a@{\x00C4x}]"},
};

TEST_F(Adapters, GiveOneKeyEachWithItsItemsOrCopies) {
    for (const PlacementCase& c : placementCases) {
        scratch_.emplace();
        for (const wchar_t* i :
             {L"{AA}", L"{bb}", L"x\\y", L"{Cc}", L"{dd}", L"\x0001global", L"{\x00C4x}"})
            scratch_->set(L"x", REG_DWORD, raw(0), std::wstring(L"interfaces\\") + i);
        try {
            const NICEnumerator& nic = load(c.adapters, c.items, c.global);
            EXPECT_EQ(shape(nic), c.shape);
            // The category holds every group built, for its target.
            EXPECT_EQ(nic.getItemGroups().size(), std::count(c.shape.begin(), c.shape.end(), L'['));
            EXPECT_EQ(messageOf<IllegalArgumentException>([&] { nic.getKeyName(L"{gone}"); }),
                      L"{gone}");
        } catch (const ConfigException& e) {
            EXPECT_EQ(e.getMessage(), c.shape);
        }
    }
}

// Steps on the copy of the adapter {aa}, each "step: state" with the state
// "<current>[ inh][ +] reg=<own DWORD or ->[ save=<text>][ tuned]", + once
// applied.
// clang-format off
const struct CopyCase {
    const wchar_t* value;  // n for the number, c for the check item
    int32_t own;           // the interface's value, or -1 for none
    std::vector<std::wstring> steps;
} copyCases[] = {
    {L"n", -1, {L"load: 6 inh reg=-", L"global 7: 7 inh reg=-", L"global 6: 6 inh reg=-",
                L"own: 6 reg=-", L"apply: 6 + reg=6", L"global 8: 6 + reg=6 tuned",
                L"inherit: 6 inh + reg=6", L"save: 6 inh + reg=6 save=-", L"apply: 6 inh + reg=-",
                L"apply: 6 inh + reg=-"}},
    {L"c", -1, {L"load: 1 inh reg=-", L"global 0: 0 inh reg=-", L"own: 0 reg=-",
                L"apply: 0 + reg=0", L"global 1: 0 + reg=0 tuned", L"inherit: 1 inh + reg=0",
                L"apply: 1 inh + reg=-"}},
    {L"n", 9, {L"load: 9 reg=9 tuned", L"global 7: 9 reg=9 tuned", L"default: 7 inh reg=9",
               L"revert: 9 reg=9 tuned", L"inherit: 9 inh reg=9", L"apply: 9 inh + reg=-",
               L"revert: 7 inh + reg=-"}},
    {L"c", -1, {L"apply: 1 inh reg=-"}},
};
// clang-format on

TEST_F(Adapters, CopiesInheritFollowAndWriteTheirOwnValues) {
    for (const CopyCase& c : copyCases) {
        scratch_.emplace();
        const std::wstring interfaceKey = scratch_->path() + L"\\interfaces\\{aa}";
        scratch_->set(L"x", REG_DWORD, raw(0), L"interfaces\\{aa}");
        scratch_->set(L"n", REG_DWORD, raw(6), L"global");
        scratch_->set(L"c", REG_DWORD, raw(1), L"global");
        if (c.own >= 0) scratch_->set(c.value, REG_DWORD, raw(c.own), L"interfaces\\{aa}");
        NICEnumerator& nic = load(
            {{id(L"{aa}")}},
            item(c.value, inherits, *c.value == L'n' ? L"nic.NICValueItem" : L"nic.NICCheckItem"));
        Item* items[] = {nic.getItemGroupsFor(nic.getKeys()[0])[0]->getItems()[0],
                         nic.getItemGroupsFor(L"{aa}")[0]->getItems()[0]};
        Item& copy = *items[1];
        const std::wstring dumped = dumpCatalogue({&nic});
        EXPECT_NE(dumped.find(L"parent=- keys=\x0001global|{aa}\n"), std::wstring::npos);
        EXPECT_NE(dumped.find(c.own < 0 ? L"inherited=true\n" : L"inherited=false\n"),
                  std::wstring::npos);
        auto& inheritable = dynamic_cast<Inheritable&>(copy);
        for (const std::wstring& step : c.steps) {
            std::wistringstream words(step.substr(0, step.find(L':')));
            std::wstring op, saved, reg = L"-";
            int32_t n = 0;
            words >> op >> n;
            if (op == L"global") setCurrent(*items[0], n);
            if (op == L"own" || op == L"inherit") inheritable.setInherited(op == L"inherit");
            if (op == L"apply") copy.apply();
            if (op == L"revert") copy.revert();
            if (op == L"default") copy.setToDefault();
            if (op == L"save") {
                SaveTarget target(L"unused.reg");
                copy.store(target);
                saved =
                    L" save=" + target.getStorage().getKey(interfaceKey).getValueString(c.value);
            }
            const DWORD own = RegKey(interfaceKey, RegKey::READ).getDWORD(c.value, ~0u);
            if (own != ~0u) reg = toString(static_cast<int32_t>(own));
            EXPECT_EQ(op + (n || op == L"global" ? L" " + toString(n) : L"") + L": " +
                          toString(statesOf(copy).second) +
                          (inheritable.isInherited() ? L" inh" : L"") +
                          (copy.isApplied() ? L" +" : L"") + L" reg=" + reg + saved +
                          (isTuned(copy) ? L" tuned" : L""),
                      step)
                << c.value << c.own;
        }
    }
}

}  // namespace
