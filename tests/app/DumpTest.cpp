#include <windows.h>

#include <gtest/gtest.h>

#include "../config/DefinitionDir.h"
#include "../registry/ScratchKey.h"
#include "core/FileHandle.h"

namespace {

// The build gives the program's host path; Wine sees the host's root as Z:.
std::wstring dumpProgram() {
    const std::string host = VELMORA_DUMP_EXE;
    std::wstring path = L"Z:";
    for (char c : host) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

struct DumpResult {
    DWORD exitCode;
    std::string out;
    std::string err;
};

std::string readAll(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (file.valid() && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) &&
           read > 0) {
        bytes.append(buffer, read);
    }
    return bytes;
}

class DumpTest : public testing::Test {
protected:
    // Runs velmora-dump in the items directory's parent with the arguments
    // given, its output going to files.
    DumpResult run(const std::wstring& arguments, const std::wstring& workingDirectory) {
        const std::wstring outPath = joinPath(dir_.path(), L"out.txt");
        const std::wstring errPath = joinPath(dir_.path(), L"err.txt");
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        FileHandle out(CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                   CREATE_ALWAYS, 0, nullptr));
        FileHandle err(CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                   CREATE_ALWAYS, 0, nullptr));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out.get();
        startup.hStdError = err.get();
        std::wstring commandLine = L"\"" + dumpProgram() + L"\" " + arguments;
        PROCESS_INFORMATION process{};
        EXPECT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   workingDirectory.c_str(), &startup, &process));
        WaitForSingleObject(process.hProcess, 30000);
        DWORD exitCode = 0xDEAD;
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        out.reset();
        err.reset();
        return {exitCode, readAll(outPath), readAll(errPath)};
    }

    ScratchKey scratch_;
    DefinitionDir dir_;
};

std::string utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

TEST_F(DumpTest, PrintsTheCatalogueOneLinePerObject) {
    const std::wstring key = scratch_.path();
    const std::wstring name = L"n";
    ASSERT_EQ(setRawValue(HKEY_CURRENT_USER, scratch_.subKey(), &name, REG_DWORD,
                          std::string("\x2A\0\0\0", 4)),
              ERROR_SUCCESS);
    const auto write = [this, &key](const std::wstring& file, const std::wstring& text) {
        dir_.write(file, replaced(text, L"@KEY@", key));
    };
    write(L"sub.xml",
          LR"(<group id="sub"><name>下位</name>
  <item class="velmora.reg.RegCheckItem" id="flag"><affectTarget>user</affectTarget>
    <postChanged>logoff</postChanged>
    <params><key>@KEY@</key><value>flag</value><type>REG_SZ</type>
      <true>on</true><false>off</false><default>on</default></params></item>
</group>)");
    write(L"top.xml",
          LR"(<group id="top"><name>設定 "top"</name>
  <group id="g"><name>Group</name>
    <item class="velmora.reg.RegValueItem" id="n"><affectTarget>system</affectTarget>
      <postChanged>reboot</postChanged>
      <params><key>@KEY@</key><value>n</value><type>REG_DWORD</type><default>-1</default></params>
    </item>
  </group>
</group>)");
    write(L"root.xml",
          LR"(<groups><group src="top.xml"/><group src="sub.xml" expand="true"/></groups>)");
    write(L"root2.xml",
          LR"(<groups><group src="top.xml"><group src="sub.xml"/></group>
  <group src="sub.xml"><group id="empty"/></group></groups>)");
    // Each reference reads its file again, so the groups of a category
    // referenced twice are there twice.
    const std::wstring parent = parentPathOf(dir_.path());
    const DumpResult result = run(L"/items " + fileNameOf(dir_.path()), parent);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.out,
              utf8(LR"(category top "設定 "top"" target=0x00010001 expanded=false parent=-
  group g "Group" target=0x00000001
    item top.g.n class=velmora.reg.RegValueItem target=0x00000001 post=2 default=-1 stored=42 current=42
  group g "Group" target=0x00000001
    item top.g.n class=velmora.reg.RegValueItem target=0x00000001 post=2 default=-1 stored=42 current=42
category sub "下位" target=0x00010000 expanded=true parent=top
  group flag "" target=0x00010000
    item sub.flag.flag class=velmora.reg.RegCheckItem target=0x00010000 post=1 default=true stored=true current=true
  group flag "" target=0x00010000
    item sub.flag.flag class=velmora.reg.RegCheckItem target=0x00010000 post=1 default=true stored=true current=true
  group flag "" target=0x00010000
    item sub.flag.flag class=velmora.reg.RegCheckItem target=0x00010000 post=1 default=true stored=true current=true
category empty "" target=0x00000000 expanded=false parent=sub
)"));
}

TEST_F(DumpTest, ErrorsGoToStandardErrorWithExitCodeOne) {
    const std::wstring parent = parentPathOf(dir_.path());
    const std::string missing =
        "::FindFirstFile(" + utf8(fileNameOf(dir_.path())) + "\\root*.xml) failed\n";
    const std::vector<std::pair<std::wstring, std::string>> cases = {
        {L"/items " + fileNameOf(dir_.path()), missing},
        {L"/items", "/items needs to specify the directory\n"},
        {L"/x", "invalid argument: /x \n"},
        // Without arguments the directory "items" below the working directory.
        {L"", "::FindFirstFile(items\\root*.xml) failed\n"},
    };
    for (const auto& [arguments, message] : cases) {
        const DumpResult result = run(arguments, parent);
        EXPECT_EQ(result.exitCode, 1u) << utf8(arguments);
        EXPECT_EQ(result.err, message);
        EXPECT_EQ(result.out, "");
    }
}

}  // namespace
