#include "core/Launch.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "../registry/ScratchKey.h"
#include "ArgumentWriter.h"
#include "core/Platform.h"

namespace {

// An association of the test's own, removed when the test ends; the prefix
// has none for these types. Wine reads the user's associations from
// HKEY_CLASSES_ROOT itself, where Windows lays the user's own over the
// machine's.
struct Association {
    Association(const std::wstring& extension, const std::wstring& command) : type(extension) {
        set(type, L"velmora-test" + type);
        for (const wchar_t* verb : {L"\\shell\\open\\command", L"\\shell\\cplopen\\command"})
            set(L"velmora-test" + type + verb, command);
    }
    ~Association() {
        for (const std::wstring& key : {type, L"velmora-test" + type})
            RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    }
    static void set(const std::wstring& key, const std::wstring& text) {
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * 2));
    }
    const std::wstring type;
};

// Elevated, nothing is opened through a file association, which the user's
// other processes may rewrite: programs start directly, control panel items
// through control.exe, consoles through mmc.exe (which Wine lacks), other
// documents through the desktop shell. Each row shows whether the call
// succeeded and what ran: w the program, cpl the item loaded by control.exe,
// doc the document's association through the shell, hijack the association
// planted for control panel items and consoles.
TEST(Launch, ElevatedOpensNothingThroughTheAssociationOfItsType) {
    const ScratchDir dir;
    const std::wstring program = dir.copy(argumentWriter(), L"w.exe"),
                       item = dir.copy(builtFile(MARKER_LIBRARY), L"x.cpl"),
                       hijack = dir.copy(builtFile(MARKER_PROGRAM), L"hijack.exe"),
                       console = dir.file(L"x.msc"), document = dir.file(L"x.vtest"),
                       out = dir.file(L"doc.txt");
    std::ofstream(std::string(console.begin(), console.end())) << "console";
    std::ofstream(std::string(document.begin(), document.end())) << "document";
    const std::wstring hijacking = L"\"" + hijack + L"\" \"%1\"";
    const Association a(L".cpl", hijacking), b(L".msc", hijacking),
        c(L".vtest", L"\"" + argumentWriter() + L"\" \"" + out + L"\" \"%1\"");

    const std::pair<std::wstring, std::wstring> evidence[] = {{program + L".txt", L"w"},
                                                              {item + L".ran", L"cpl"},
                                                              {out, L"doc"},
                                                              {hijack + L".ran", L"hijack"}};
    // The desktop of a Wine server just started may not yet have registered
    // its window with the shell: until it has, the shell cannot be reached.
    for (int i = 0; i < 20 && !exists(out); ++i) {
        try {
            openFile(document, nullptr, true);
        } catch (const IOException&) {
            Sleep(500);
            continue;
        }
        for (int j = 0; j < 50 && !exists(out); ++j) Sleep(100);
    }
    const struct {
        std::wstring path;
        bool elevated;
        std::wstring shown;
    } cases[] = {
        {program, true, L"ok w"},      {item, true, L"ok cpl"},     {console, true, L"failed"},
        {document, true, L"ok doc"},   {item, false, L"ok hijack"}, {document, false, L"ok doc"},
        {L"x.vtest", true, L"failed"},
    };
    for (const auto& [path, elevated, expected] : cases) {
        // A program of the row before may still hold its file open.
        for (int i = 0; i < 100; ++i, Sleep(100)) {
            bool left = false;
            for (const auto& [file, name] : evidence)
                left = (!DeleteFileW(file.c_str()) && exists(file)) || left;
            if (!left) break;
        }
        std::wstring shown = L"ok", failure;
        try {
            openFile(path, nullptr, elevated);
        } catch (const IOException& e) {
            shown = L"failed", failure = e.getMessage();
        }
        // What is started runs on its own: wait for what the row expects,
        // then a little longer for anything else.
        for (int i = 0; i < 100; ++i, Sleep(100)) {
            std::wstring seen;
            for (const auto& [file, name] : evidence)
                if (exists(file)) seen += L" " + name;
            if (shown + seen == expected) break;
        }
        Sleep(500);
        for (const auto& [file, name] : evidence)
            if (exists(file)) shown += L" " + name;
        EXPECT_EQ(shown, expected) << std::string(path.begin(), path.end()) << " " << elevated
                                   << " " << std::string(failure.begin(), failure.end());
    }
}

// A shell started for the user skips what the user's settings make it run
// first (cmd's AutoRun, PowerShell's profile scripts), which any of the
// user's processes may have written.
TEST(Launch, ShellsStartWithoutTheUsersStartUpCommands) {
    const ScratchDir dir;
    const struct {
        const wchar_t* name;
        bool elevated;
        const wchar_t* expected;
    } cases[] = {
        {L"cmd.exe", true, L"started\n/D\n"},
        {L"CMD.EXE", false, L"started\n/D\n"},
        {L"powershell.exe", true, L"started\n-NoProfile\n"},
        {L"pwsh.exe", false, L"started\n-NoProfile\n"},
        {L"cmd.exe.exe", true, L"started\n"},
    };
    for (const auto& c : cases) {
        const std::wstring shell = dir.copy(argumentWriter(), c.name), name = c.name;
        openFile(shell, nullptr, c.elevated);
        EXPECT_EQ(writtenText(shell + L".txt"), c.expected)
            << std::string(name.begin(), name.end()) << " " << c.elevated;
        DeleteFileW(shell.c_str());
    }
}

}  // namespace
