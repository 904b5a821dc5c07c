#include <windows.h>

#include <gtest/gtest.h>

#include "../registry/RegistryDump.h"
#include "../registry/ScratchKey.h"
#include "app/UndoFile.h"
#include "config/CatalogueWalk.h"
#include "config/ClassTable.h"
#include "config/DefinitionLoader.h"
#include "core/Exception.h"
#include "items/CheckItem.h"
#include "items/ValueItem.h"

namespace {

// One setting of each way an apply changes the registry, and one left alone.
const wchar_t* const MIXED =
    LR"(<group id="undo"><name>元に戻す</name>
  <item class="velmora.reg.RegCheckItem" id="set"><params><key>@KEY@</key><value>set</value>
    <type>REG_DWORD</type><true>1</true><false>0</false><default>0</default></params></item>
  <item class="velmora.reg.RegValueItem" id="create"><params><key>@KEY@\new\deeper</key>
    <value>n</value><type>REG_DWORD</type><default>5</default></params></item>
  <item class="velmora.reg.RegCheckItem" id="gone"><params><key>@KEY@</key><value>gone</value>
    <type>REG_SZ</type><true>on</true><false>off</false><default delete="">off</default></params>
  </item>
  <item class="velmora.reg.RegKeyItem" id="made"><params><key>@KEY@\made</key><value>hello</value>
    <type>REG_SZ</type><default>false</default></params></item>
  <item class="velmora.reg.RegKeyItem" id="old"><params><key>@KEY@\old</key><type>REG_SZ</type>
    <default>true</default></params></item>
  <item class="velmora.reg.RegDeleteSubKeysItem" id="clean"><params><key>@KEY@\tree</key>
    <backup>@BACKUP@</backup><save><key>keep</key></save></params></item>
  <item class="velmora.reg.RegCheckItem" id="same"><params><key>@KEY@\same</key><value>v</value>
    <type>REG_DWORD</type><true>1</true><false>0</false><default>0</default></params></item>
</group>)";

Item& itemOf(const DefinitionLoader& loader, const std::wstring& id) {
    Item* found = nullptr;
    forEachItem(loader.getCategories(),
                [&](Item& item) { found = item.getId() == id ? &item : found; });
    return *found;
}

}  // namespace

// Values of every kind the registry editor must give back, in keys and
// trees that the apply deletes.
TEST(UndoFile, ImportingItUndoesAMixedApplyByteForByte) {
    const ScratchKey scratch;
    ScratchDir dir;
    scratch.setDWORD(L"set", 0);
    scratch.set(L"gone", REG_SZ, bytesOf({L"on", 3}));
    scratch.set(nullptr, REG_SZ, bytesOf({L"default", 8}), L"old");
    scratch.set(L"q", REG_QWORD, std::string("\1\2\3\4\5\6\7\x08", 8), L"old");
    scratch.set(L"m", REG_MULTI_SZ, bytesOf({L"a\0b\0", 5}), L"old");
    scratch.set(L"e", REG_EXPAND_SZ, bytesOf({L"%TEMP%\\x", 9}), L"old");
    scratch.set(L"empty", REG_BINARY, "", L"old");
    scratch.set(L"x", REG_SZ, bytesOf({L"quote \" and \\", 14}), L"tree\\a");
    scratch.set(nullptr, REG_DWORD, std::string(4, '\1'), L"tree\\b");
    scratch.set(L"k", REG_SZ, bytesOf({L"kept", 5}), L"tree\\keep");
    std::wstring items = MIXED;
    items.replace(items.find(L"@BACKUP@"), 8, dir.file(L"clean.reg"));
    dir.write(L"items\\root.xml", L"<groups><group src=\"undo.xml\"/></groups>");
    dir.write(L"items\\undo.xml", items, scratch.path());
    ClassTable::registerClasses();
    DefinitionLoader loader(dir.file(L"items"));
    loader.loadAll();
    EXPECT_TRUE(UndoFile(loader.getCategories()).isEmpty());

    for (const wchar_t* id : {L"set", L"gone", L"made", L"old", L"clean"}) {
        auto& check = dynamic_cast<CheckItem&>(itemOf(loader, id));
        check.setCurrentState(!check.getCurrentState());
    }
    dynamic_cast<ValueItem&>(itemOf(loader, L"create")).setCurrentValue(7);
    const Dump before = dump(scratch.subKey());
    const UndoFile undo(loader.getCategories());
    const std::wstring file = undo.save({{dir.path(), {L"undo"}}}, L"stem");
    // A second apply in the same second never replaces the first one's file.
    EXPECT_EQ(undo.save({{dir.path(), {L"undo"}}}, L"stem"), dir.file(L"undo\\stem-2.reg"));
    forEachItem(loader.getCategories(), [](Item& item) { item.apply(); });
    EXPECT_EQ(differences(before, dump(scratch.subKey())),
              L"lost or changed \ngone\nlost or changed \nset\nlost or changed \\old\n"
              L"lost or changed \\old\n\nlost or changed \\old\ne\nlost or changed \\old\nempty\n"
              L"lost or changed \\old\nm\nlost or changed \\old\nq\nlost or changed \\tree\\a\n"
              L"lost or changed \\tree\\a\nx\nlost or changed \\tree\\b\n"
              L"lost or changed \\tree\\b\n\nextra \\made\nextra \\made\n\nextra \\new\n"
              L"extra \\new\\deeper\nextra \\new\\deeper\nn\n");

    importWithRetries(file);
    EXPECT_EQ(differences(before, dump(scratch.subKey())), L"");
}
