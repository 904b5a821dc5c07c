#include <windows.h>

#include <gtest/gtest.h>

#include "../registry/ScratchKey.h"
#include "app/CatalogueDump.h"
#include "xml/SystemVersion.h"

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
    // The Windows the conditions were tested against comes first.
    EXPECT_EQ(dump(dir, L"/items defs"),
              "exit 0\n" + toUtf8(dumpSystem(xml::SystemVersion::detect())) +
                  toUtf8(LR"(category top "設定 "top"" target=0x00010001 expanded=false parent=-
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

// The text of a registry script after its byte order mark.
std::wstring regScript(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (bytes.size() % 2 != 0 || !bytes.starts_with("\xFF\xFE")) return L"(no UTF-16 file)";
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()) + 1, bytes.size() / 2 - 1);
}

// A check of the user and a number of the system away from their defaults,
// and a number of the user at its default, which no export carries.
TEST(Dump, ExportsTheSettingsOffTheirDefaultsThatTheFilterMeetsOrNothingAtBadOptions) {
    const ScratchKey scratch;
    ScratchDir dir;
    scratch.setDWORD(L"c", 1);
    scratch.setDWORD(L"n", 42);
    scratch.setDWORD(L"d", 10);
    dir.write(L"defs\\tuned.xml",
              LR"(<group id="tuned"><name>Tuned</name>
  <item class="velmora.reg.RegCheckItem" id="c"><affectTarget>user</affectTarget><params>
    <key>@KEY@</key><value>c</value><type>REG_DWORD</type><true>1</true><false>0</false>
    <default>0</default></params></item>
  <item class="velmora.reg.RegValueItem" id="n"><affectTarget>system</affectTarget><params>
    <key>@KEY@</key><value>n</value><type>REG_DWORD</type><default>10</default></params></item>
  <item class="velmora.reg.RegValueItem" id="d"><affectTarget>user</affectTarget><params>
    <key>@KEY@</key><value>d</value><type>REG_DWORD</type><default>10</default></params></item>
</group>)",
              scratch.path());
    dir.write(L"defs\\root.xml", LR"(<groups><group src="tuned.xml"/></groups>)");
    const std::wstring head =
        L"Windows Registry Editor Version 5.00\r\n\r\n[" + scratch.path() + L"]\r\n";
    const std::wstring user = L"\"c\"=dword:00000001\r\n", system = L"\"n\"=dword:0000002a\r\n";
    const std::tuple<std::wstring, std::wstring, std::wstring> written[] = {
        {L"/export all", L"all.reg", head + user + system + L"\r\n"},
        {L"/export user.REG /target user", L"user.REG", head + user + L"\r\n"},
    };
    for (const auto& [arguments, file, text] : written) {
        EXPECT_EQ(dump(dir, L"/items defs " + arguments), "exit 0\n--\n--\n");
        EXPECT_EQ(regScript(dir.file(file)), text);
    }
    // Options are read before the catalogue, which is not even looked for.
    const std::pair<std::wstring, std::string> refused[] = {
        {L"/items defs /export /target user", "/export needs to specify the file"},
        {L"/items missing /export out /target users",
         "/target needs to specify system, user or all"},
        {L"/items missing /target user", "/target needs /export"},
        {L"/items defs /export out /export out", "/export given twice"},
    };
    for (const auto& [arguments, message] : refused) {
        EXPECT_EQ(dump(dir, arguments), "exit 1\n--\n" + message + "\n--\n") << toUtf8(arguments);
        EXPECT_EQ(GetFileAttributesW(dir.file(L"out.reg").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

}  // namespace
