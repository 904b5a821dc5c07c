#include "core/Launch.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "../registry/ScratchKey.h"
#include "ArgumentWriter.h"
#include "core/Platform.h"

namespace {

// A file of the build tree as programs under Wine see it.
std::wstring built(const std::string& host) {
    return L"Z:" + std::wstring(host.begin(), host.end());
}

// A file association of the test's own, removed when the test ends. Wine
// takes the user's associations from HKEY_CLASSES_ROOT itself, where Windows
// lays the user's own over the machine's.
class Association {
public:
    Association(const std::wstring& extension, const std::wstring& command)
        : extension_(extension), type_(L"velmora-test" + extension) {
        EXPECT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, extension.c_str(), 0, KEY_READ, &probe_),
                  ERROR_SUCCESS)
            << "the prefix has an association of its own";
        RegSetKeyValueW(HKEY_CLASSES_ROOT, extension.c_str(), nullptr, REG_SZ, type_.c_str(),
                        static_cast<DWORD>((type_.size() + 1) * 2));
        for (const wchar_t* verb : {L"\\shell\\open\\command", L"\\shell\\cplopen\\command"})
            RegSetKeyValueW(HKEY_CLASSES_ROOT, (type_ + verb).c_str(), nullptr, REG_SZ,
                            command.c_str(), static_cast<DWORD>((command.size() + 1) * 2));
    }
    ~Association() {
        if (probe_ != nullptr) RegCloseKey(probe_);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, extension_.c_str());
        RegDeleteTreeW(HKEY_CLASSES_ROOT, type_.c_str());
    }
    Association(const Association&) = delete;
    Association& operator=(const Association&) = delete;

private:
    std::wstring extension_, type_;
    HKEY probe_ = nullptr;
};

// Elevated, nothing is opened through a file association, which the user's
// other processes may rewrite: programs start directly, control panel items
// through control.exe, consoles through mmc.exe (which Wine lacks), other
// documents through the desktop shell. Each row shows whether the call
// succeeded and what ran: w the program, cpl the item loaded by control.exe,
// doc the document's association through the shell, hijack the association
// planted for control panel items and consoles.
TEST(Launch, ElevatedOpensNothingThroughTheAssociationOfItsType) {
    const std::wstring dir = tempPath(L"velmora-open-" + std::to_wstring(GetCurrentProcessId()));
    CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring program = joinPath(dir, L"w.exe"), item = joinPath(dir, L"x.cpl"),
                       console = joinPath(dir, L"x.msc"), document = joinPath(dir, L"x.vtest"),
                       hijack = joinPath(dir, L"hijack.exe"), out = joinPath(dir, L"doc.txt");
    ASSERT_TRUE(CopyFileW(argumentWriter().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(built(MARKER_LIBRARY).c_str(), item.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(built(MARKER_PROGRAM).c_str(), hijack.c_str(), FALSE));
    std::ofstream(std::string(console.begin(), console.end())) << "console";
    std::ofstream(std::string(document.begin(), document.end())) << "document";
    const std::wstring hijacking = L"\"" + hijack + L"\" \"%1\"";
    const Association a(L".cpl", hijacking), b(L".msc", hijacking),
        c(L".vtest", L"\"" + argumentWriter() + L"\" \"" + out + L"\" \"%1\"");

    const std::pair<std::wstring, std::wstring> evidence[] = {{program + L".txt", L"w"},
                                                              {item + L".ran", L"cpl"},
                                                              {out, L"doc"},
                                                              {hijack + L".ran", L"hijack"}};
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
        std::wstring shown = L"ok";
        try {
            openFile(path, nullptr, elevated);
        } catch (const IOException&) {
            shown = L"failed";
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
        EXPECT_EQ(shown, expected) << std::string(path.begin(), path.end()) << " " << elevated;
    }
    for (const auto& [file, name] : evidence) DeleteFileW(file.c_str());
    for (const std::wstring& file : {program, item, console, document, hijack})
        DeleteFileW(file.c_str());
    RemoveDirectoryW(dir.c_str());
}

}  // namespace
