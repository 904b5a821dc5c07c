#include <windows.h>

#include <gtest/gtest.h>

#include "../registry/ScratchKey.h"
#include "core/Platform.h"

namespace {

// A rich edit library of anyone's beside the program, and in its current
// directory, is never loaded. Wine prefers its own library unless told to
// take one found on disk first; without that override for the probe the
// planted library could never be loaded and the test could not fail.
TEST(PlantedLibrary, ARichEditLibraryBesideTheProgramIsNeverLoaded) {
    const std::wstring directory = besideThisTest(L"planted-library");
    CreateDirectoryW(directory.c_str(), nullptr);
    const std::wstring probe = joinPath(directory, L"velmora-planted-probe.exe");
    const std::wstring planted = joinPath(directory, L"riched20.dll");
    ASSERT_TRUE(CopyFileW(besideThisTest(L"text_area_probe.exe").c_str(), probe.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(besideThisTest(L"planted-riched20.dll").c_str(), planted.c_str(), FALSE));
    const std::wstring overrides = L"Software\\Wine\\AppDefaults\\velmora-planted-probe.exe";
    const std::wstring order = L"native,builtin";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (overrides + L"\\DllOverrides").c_str(),
                              L"riched20", REG_SZ, order.c_str(), (order.size() + 1) * 2),
              ERROR_SUCCESS);
    const std::pair<std::wstring, bool> cases[] = {
        {L"open bare", true},  // the planted library is found, so the test can fail
        {L"restricted bare", false},
        {L"open area", false},
        {L"restricted area", false},
    };
    wchar_t previous[MAX_PATH + 1];
    GetCurrentDirectoryW(MAX_PATH + 1, previous);
    SetCurrentDirectoryW(directory.c_str());
    for (const auto& [arguments, loaded] : cases) {
        DeleteFileW((planted + L".ran").c_str());
        const FileHandle process = launchProcess(probe, L"\"" + probe + L"\" " + arguments);
        DWORD code = 1;
        WaitForSingleObject(process.get(), 30000);
        GetExitCodeProcess(process.get(), &code);
        EXPECT_EQ(code, 0u) << arguments.c_str();
        EXPECT_EQ(exists(planted + L".ran"), loaded) << arguments.c_str();
    }
    SetCurrentDirectoryW(previous);
    RegDeleteTreeW(HKEY_CURRENT_USER, overrides.c_str());
    for (const std::wstring& file : {planted + L".ran", probe, planted}) DeleteFileW(file.c_str());
    RemoveDirectoryW(directory.c_str());
}

}  // namespace
