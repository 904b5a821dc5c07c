#include <windows.h>

#include <gtest/gtest.h>

#include "../core/ScratchDir.h"

namespace {

// Libraries of anyone's beside the program, and in its current directory, are
// never loaded: neither the rich edit library of the help nor the common
// controls of the tree, which the loader would look for beside the program
// before its first line ran, were they imported.
TEST(PlantedLibrary, NoLibraryBesideTheProgramIsEverLoaded) {
    ScratchDir dir;
    const std::wstring probe =
        dir.copy(besideThisTest(L"text_area_probe.exe"), L"velmora-planted-probe.exe");
    const std::vector<std::wstring> libraries = {L"riched20", L"comctl32"};
    for (const std::wstring& library : libraries)
        dir.copy(besideThisTest(L"planted-riched20.dll"), library + L".dll");
    dir.preferLibrariesOnDisk(L"velmora-planted-probe.exe", libraries);
    dir.enter();
    const std::pair<std::wstring, std::wstring> cases[] = {
        // The planted libraries are found, so the test can fail.
        {L"open bare riched20.dll", L"riched20"},
        {L"open bare comctl32.dll", L"comctl32"},
        {L"restricted bare riched20.dll", L""},
        {L"open window", L""},
        {L"restricted window", L""},
    };
    for (const auto& [arguments, loaded] : cases) {
        for (const std::wstring& library : libraries)
            DeleteFileW(dir.file(library + L".dll.ran").c_str());
        EXPECT_EQ(dir.run(probe, arguments).code, 0u) << toUtf8(arguments);
        std::wstring ran;
        for (const std::wstring& library : libraries)
            if (exists(dir.file(library + L".dll.ran"))) ran += library;
        EXPECT_EQ(ran, loaded) << toUtf8(arguments);
    }
}

}  // namespace
