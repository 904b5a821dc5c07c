#include <windows.h>

#include <gtest/gtest.h>

#include "../registry/ScratchKey.h"
#include "core/Platform.h"

namespace {

// Libraries of anyone's beside the program, and in its current directory, are
// never loaded: neither the rich edit library of the help nor the common
// controls of the tree, which the loader would look for beside the program
// before its first line ran, were they imported. Wine prefers its own library
// unless told to take one found on disk first; without that override for the
// probe the planted library could never be loaded and the test could not
// fail.
TEST(PlantedLibrary, NoLibraryBesideTheProgramIsEverLoaded) {
    const std::wstring directory = besideThisTest(L"planted-library");
    CreateDirectoryW(directory.c_str(), nullptr);
    const std::wstring probe = joinPath(directory, L"velmora-planted-probe.exe");
    const std::wstring overrides = L"Software\\Wine\\AppDefaults\\velmora-planted-probe.exe";
    const std::wstring order = L"native,builtin";
    const wchar_t* const libraries[] = {L"riched20", L"comctl32"};
    ASSERT_TRUE(CopyFileW(besideThisTest(L"text_area_probe.exe").c_str(), probe.c_str(), FALSE));
    for (const wchar_t* library : libraries) {
        ASSERT_TRUE(CopyFileW(besideThisTest(L"planted-riched20.dll").c_str(),
                              joinPath(directory, library + std::wstring(L".dll")).c_str(), FALSE));
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (overrides + L"\\DllOverrides").c_str(),
                                  library, REG_SZ, order.c_str(), (order.size() + 1) * 2),
                  ERROR_SUCCESS);
    }
    const std::pair<std::wstring, std::wstring> cases[] = {
        // The planted libraries are found, so the test can fail.
        {L"open bare riched20.dll", L"riched20"},
        {L"open bare comctl32.dll", L"comctl32"},
        {L"restricted bare riched20.dll", L""},
        {L"open window", L""},
        {L"restricted window", L""},
    };
    wchar_t previous[MAX_PATH + 1];
    GetCurrentDirectoryW(MAX_PATH + 1, previous);
    SetCurrentDirectoryW(directory.c_str());
    for (const auto& [arguments, loaded] : cases) {
        for (const wchar_t* library : libraries)
            DeleteFileW(joinPath(directory, library + std::wstring(L".dll.ran")).c_str());
        const FileHandle process = launchProcess(probe, L"\"" + probe + L"\" " + arguments);
        DWORD code = 1;
        WaitForSingleObject(process.get(), 30000);
        GetExitCodeProcess(process.get(), &code);
        EXPECT_EQ(code, 0u) << arguments.c_str();
        std::wstring ran;
        for (const wchar_t* library : libraries)
            if (exists(joinPath(directory, library + std::wstring(L".dll.ran")))) ran += library;
        EXPECT_EQ(ran, loaded) << arguments.c_str();
    }
    SetCurrentDirectoryW(previous);
    RegDeleteTreeW(HKEY_CURRENT_USER, overrides.c_str());
    for (const wchar_t* library : libraries)
        for (const wchar_t* suffix : {L".dll.ran", L".dll"})
            DeleteFileW(joinPath(directory, library + std::wstring(suffix)).c_str());
    DeleteFileW(probe.c_str());
    RemoveDirectoryW(directory.c_str());
}

}  // namespace
