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
        {L"/items missing /target user", "/target needs /export, /check or /apply"},
        {L"/items defs /export out /export out", "/export given twice"},
    };
    for (const auto& [arguments, message] : refused) {
        EXPECT_EQ(dump(dir, arguments), "exit 1\n--\n" + message + "\n--\n") << toUtf8(arguments);
        EXPECT_EQ(GetFileAttributesW(dir.file(L"out.reg").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

// Each row runs on the same machine: the check c (a log-off) at 0, the
// number n (0 to 100, a restart) at 10, no choice t, and the key k, which the
// key item finds ticked, holding a sub-key that stops its deletion. In the
// files and the output ~ stands for the scratch key; the undo file's path,
// which the folder rules decide, for *.
TEST(Dump, ChecksAndAppliesASettingsFileThroughTheCatalogueOnly) {
    const ScratchKey scratch;
    ScratchDir dir;
    dir.write(L"defs\\tuned.xml",
              LR"(<group id="tuned"><name>Tuned</name>
  <item class="velmora.reg.RegCheckItem" id="c"><affectTarget>user</affectTarget>
    <postChanged>logoff</postChanged><params><key>@KEY@</key><value>c</value>
    <type>REG_DWORD</type><true>1</true><false>0</false><default>0</default></params></item>
  <item class="velmora.reg.RegValueItem" id="n"><affectTarget>system</affectTarget>
    <postChanged>reboot</postChanged><params><key>@KEY@</key><value>n</value>
    <type>REG_DWORD</type><min>0</min><max>100</max><default>10</default></params></item>
  <item class="velmora.reg.RegToggleItem" id="t"><affectTarget>system</affectTarget>
    <params><key>@KEY@</key><value>t</value><type>REG_DWORD</type><default>0</default>
    <select><item value="0">off</item><item value="42">on</item></select></params></item>
  <item class="velmora.reg.RegKeyItem" id="k"><affectTarget>system</affectTarget>
    <params><key>@KEY@\k</key><type>REG_SZ</type><default>false</default></params></item>
</group>)",
              scratch.path());
    dir.write(L"defs\\root.xml", LR"(<groups><group src="tuned.xml"/></groups>)");
    const std::tuple<std::wstring, std::wstring, std::string, std::string> cases[] = {
        {L"/check", L"[~]\r\n\"c\"=dword:00000000\r\n\"n\"=dword:0000000a\r\n",
         "exit 0\ndiffer=0 same=2 refused=0\n--\n--\n", "c=0 n=10 k"},
        {L"/check", L"[~]\r\n\"c\"=dword:00000001\r\n\"n\"=dword:0000002a\r\n[-~\\k]\r\n",
         "exit 1\ntuned.c.c false true\ntuned.n.n 10 42\ntuned.k.k true false\n"
         "differ=3 same=0 refused=0\n--\n--\n",
         "c=0 n=10 k"},
        {L"/target user /check", L"[~]\r\n\"c\"=dword:00000001\r\n\"n\"=dword:0000002a\r\n",
         "exit 1\nline 5: no setting of the catalogue reads ~\\n\ntuned.c.c false true\n"
         "differ=1 same=0 refused=1\n--\n--\n",
         "c=0 n=10 k"},
        {L"/check", L"[~\\x]\r\n\"x\"=-\r\n",
         "exit 1\nline 3: no setting of the catalogue is in key ~\\x\n"
         "line 4: no setting of the catalogue reads ~\\x\\x\ndiffer=0 same=0 refused=2\n--\n--\n",
         "c=0 n=10 k"},
        {L"/apply", L"[~]\r\n\"c\"=dword:00000001\r\n\"n\"=dword:00000200\r\n",
         "exit 2\n--\nline 5: tuned.n.n: 512 is outside 0 to 100\n--\n", "c=0 n=10 k"},
        {L"/apply", L"[~]\r\n\"c\"=dword:00000001\r\n\"t\"=dword:00000007\r\n",
         "exit 2\n--\nline 5: ~\\t: not a value that tuned.t.t takes\n--\n", "c=0 n=10 k"},
        {L"/apply", L"[~]\r\n\"c\"=dword:00000001\r\n\"x\"=dword:1\r\n",
         "exit 2\n--\nline 5: no setting of the catalogue reads ~\\x\n--\n", "c=0 n=10 k"},
        {L"/apply", L"[~]\r\n\"c\"=dword:00000001\r\n",
         "exit 3\nundo *\napplied tuned.c.c true\napplied=1 failed=0 then=logoff\n--\n--\n",
         "c=1 n=10 k"},
        {L"/apply", L"[~]\r\n\"c\"=dword:00000001\r\n\"n\"=dword:0000002a\r\n",
         "exit 3010\nundo *\napplied tuned.c.c true\napplied tuned.n.n 42\n"
         "applied=2 failed=0 then=restart\n--\n--\n",
         "c=1 n=42 k"},
        {L"/apply", L"[~]\r\n\"c\"=dword:00000000\r\n",
         "exit 0\napplied=0 failed=0 then=none\n--\n--\n", "c=0 n=10 k"},
        {L"/apply", L"[-~\\k]\r\n",
         "exit 1\nundo *\nfailed tuned.k.k delete sub key: k\napplied=0 failed=1 then=none\n"
         "--\n--\n",
         "c=0 n=10 k"},
        {L"/apply", L"[~]\r\n\"c\"=dword:1x\r\n",
         "exit 2\n--\nline 4: dword is no hexadecimal number\n--\n", "c=0 n=10 k"},
        {L"/apply", L"[~]\r\n\"c\"=dword:00000001",
         "exit 2\n--\nline 4: no line end: the file is incomplete\n--\n", "c=0 n=10 k"},
    };
    const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
            text.replace(at, from.size(), to);
        return text;
    };
    const std::string key = toUtf8(scratch.path());
    const auto state = [&] {
        std::string shown;
        for (const wchar_t* name : {L"c", L"n"}) {
            DWORD value = 0, size = sizeof value;
            const bool found = RegGetValueW(HKEY_CURRENT_USER, scratch.subKey().c_str(), name,
                                            RRF_RT_REG_DWORD, nullptr, &value, &size) == 0;
            shown += toUtf8(name) + "=" + (found ? std::to_string(value) : "-") + " ";
        }
        HKEY k = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, (scratch.subKey() + L"\\k").c_str(), 0, KEY_READ,
                          &k) != 0)
            return shown + "-";
        RegCloseKey(k);
        return shown + "k";
    };
    int row = 0;
    for (const auto& [command, body, expected, after] : cases) {
        scratch.setDWORD(L"c", 0);
        scratch.setDWORD(L"n", 10);
        scratch.set(L"v", REG_SZ, bytesOf(std::wstring(L"x") + L'\0'), L"k\\sub");
        std::wstring text = L"Windows Registry Editor Version 5.00\r\n\r\n" + body;
        for (size_t at; (at = text.find(L'~')) != std::wstring::npos;)
            text.replace(at, 1, scratch.path());
        dir.write(L"s.reg", text, L"", false);
        std::string shown = replaced(dump(dir, L"/items defs " + command + L" s.reg"), key, "~");
        if (const size_t undo = shown.find("\nundo "); undo != std::string::npos) {
            const size_t end = shown.find('\n', undo + 1);
            const std::string path = shown.substr(undo + 6, end - undo - 6);
            EXPECT_TRUE(DeleteFileW(std::wstring(path.begin(), path.end()).c_str())) << path;
            shown.replace(undo + 6, end - undo - 6, "*");
        }
        EXPECT_EQ(shown, expected) << "row " << row;
        EXPECT_EQ(state(), after) << "row " << row;
        ++row;
    }
    EXPECT_EQ(dump(dir, L"/items defs /check missing.reg"),
              "exit 2\n--\nmissing.reg: the file cannot be opened: 2\n--\n");
}

}  // namespace
