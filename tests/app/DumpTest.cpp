#include <windows.h>

#include <gtest/gtest.h>

#include "../registry/ScratchKey.h"
#include "app/CatalogueDump.h"

namespace {

// Runs velmora-dump in the directory, as people do, and gives its exit code,
// standard output and standard error.
std::string dump(const ScratchDir& dir, const std::wstring& arguments) {
    const Ran ran = dir.run(builtFile(VELMORA_DUMP_EXE), arguments);
    return "exit " + std::to_string(ran.code) + "\n" + ran.out + "--\n" + ran.err + "--\n";
}

TEST(Dump, PrintsTheCatalogueOneLinePerObject) {
    const ScratchKey scratch;
    ScratchDir dir;
    scratch.setDWORD(L"n", 42);
    scratch.setDWORD(L"p", 0x2a);
    scratch.set(L"m", REG_MULTI_SZ, bytesOf({L"a\0B\0\0", 5}));
    scratch.set(L"e", REG_SZ, bytesOf(std::wstring(L"y=-5 z=2,8") + L'\0'));
    dir.write(L"defs\\sub.xml",
              LR"(<group id="sub"><name>下位</name>
  <item class="velmora.reg.RegCheckItem" id="flag"><affectTarget>user</affectTarget>
    <postChanged>logoff</postChanged><params><key>@KEY@</key><value>flag</value>
    <type>REG_SZ</type><true>on</true><false>off</false><default>on</default></params></item>
</group>)",
              scratch.path());
    dir.write(L"defs\\top.xml",
              LR"(<group id="top"><name>設定 "top"</name><group id="g"><name>Group</name>
  <item class="velmora.reg.RegValueItem" id="n"><affectTarget>system</affectTarget>
    <postChanged>reboot</postChanged>
    <params><key>@KEY@</key><value>n</value><type>REG_DWORD</type><default>-1</default></params>
  </item>
  <item class="velmora.reg.RegToggleItem" id="t"><affectTarget>system</affectTarget>
    <params><key>@KEY@</key><value>n</value><type>REG_DWORD</type><default>0</default>
    <select><item value="0">off</item><item value="42">on</item></select></params></item>
  <item class="velmora.reg.RegMultiStringCheckItem" id="s"><affectTarget>system</affectTarget>
    <params><key>@KEY@</key><value>m</value><pattern>b</pattern><default>false</default></params>
  </item>
  <item class="velmora.reg.RegMultiValueItem" id="v"><affectTarget>system</affectTarget>
    <params><key>@KEY@</key><value>e</value><type>REG_SZ</type><name>y</name><default>3</default>
  </params></item>
  <item class="velmora.reg.RegMultiListValueItem" id="l"><affectTarget>system</affectTarget>
    <params><key>@KEY@</key><value>e</value><type>REG_SZ</type><name>z</name><index>1</index>
    <default>3</default></params></item>
  <item class="velmora.reg.PriorityControlItem" id="p"><affectTarget>system</affectTarget>
    <params><key>@KEY@</key><value>p</value><default>2</default></params></item>
  <item class="velmora.generic.ExecItem" id="x"><affectTarget>system</affectTarget><params><file>
    <name>a</name><file>C:\a.exe</file></file><file><name>b</name><file>C:\b</file></file></params></item>
  </group></group>)",
              scratch.path());
    // Each reference reads its file again, so the groups of a category
    // referenced twice are there twice.
    dir.write(L"defs\\root.xml",
              LR"(<groups><group src="top.xml"><group src="sub.xml" expand="true">
  <group id="empty"/></group></group><group src="sub.xml"/></groups>)");
    EXPECT_EQ(dump(dir, L"/items defs"), toUtf8(LR"(exit 0
category top "設定 "top"" target=0x00010001 expanded=false parent=-
  group g "Group" target=0x00000001
    item top.g.n class=velmora.reg.RegValueItem target=0x00000001 post=2 default=-1 stored=42 current=42
    item top.g.t class=velmora.reg.RegToggleItem target=0x00000001 post=0 default=0 stored=1 current=1
    item top.g.s class=velmora.reg.RegMultiStringCheckItem target=0x00000001 post=0 default=false stored=true current=true
    item top.g.v class=velmora.reg.RegMultiValueItem target=0x00000001 post=0 default=3 stored=-5 current=-5
    item top.g.l class=velmora.reg.RegMultiListValueItem target=0x00000001 post=0 default=3 stored=8 current=8
    item top.g.p class=velmora.reg.PriorityControlItem target=0x00000001 post=0 default=0x00000002 stored=0x0000002a current=0x0000002a
    item top.g.x class=velmora.generic.ExecItem target=0x00000001 post=0 default=- stored=- current=- targets=2
category sub "下位" target=0x00010000 expanded=true parent=top
  group flag "" target=0x00010000
    item sub.flag.flag class=velmora.reg.RegCheckItem target=0x00010000 post=1 default=true stored=true current=true
  group flag "" target=0x00010000
    item sub.flag.flag class=velmora.reg.RegCheckItem target=0x00010000 post=1 default=true stored=true current=true
category empty "" target=0x00000000 expanded=false parent=sub
--
--
)"));
}

TEST(Dump, ErrorsGoToStandardErrorWithExitCodeOne) {
    ScratchDir dir;
    const std::pair<std::wstring, std::string> cases[] = {
        {L"/items defs", "::FindFirstFile(defs\\root*.xml) failed"},
        {L"/x", "invalid argument: /x "},
        // Without arguments and without "items" in the working directory,
        // the one beside the program.
        {L"", "::FindFirstFile(" + toUtf8(parentPathOf(builtFile(VELMORA_DUMP_EXE))) +
             "\\items\\root*.xml) failed"},
    };
    for (const auto& [arguments, message] : cases) {
        EXPECT_EQ(dump(dir, arguments), "exit 1\n--\n" + message + "\n--\n");
    }
}

}  // namespace
