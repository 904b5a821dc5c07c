#include <windows.h>

#include <gtest/gtest.h>

#include "../core/ScratchDir.h"
#include "../support/WindowTree.h"

namespace {

// The first visible top-level window of the process, waited for up to 30 s.
HWND windowOf(HANDLE process) {
    window_tree::Filter filter;
    filter.processId = GetProcessId(process);
    for (int i = 0; i < 300 && WaitForSingleObject(process, 100) == WAIT_TIMEOUT; ++i) {
        const std::vector<HWND> found = window_tree::findTopLevel(filter);
        if (!found.empty()) return found[0];
    }
    return nullptr;
}

// Libraries of anyone's beside the program, and in its current directory, are
// never loaded: neither the rich edit library of the help nor the common
// controls of the tree, which the loader would look for beside the program
// before its first line ran, were they imported. Wine prefers its own
// libraries unless told to take those on disk first, which it is told here.
TEST(PlantedLibrary, NoLibraryBesideTheProgramIsEverLoaded) {
    ScratchDir dir;
    const std::wstring program = dir.copy(builtFile(VELMORA_EXE), L"velmora-planted.exe"),
                       probe = dir.copy(besideThisTest(L"library_probe.exe"),
                                        L"velmora-library-probe.exe");
    const std::vector<std::wstring> libraries = {L"riched20", L"comctl32"};
    for (const std::wstring& library : libraries)
        dir.copy(besideThisTest(L"planted-library.dll"), library + L".dll");
    dir.preferLibrariesOnDisk(L"velmora-planted.exe", libraries);
    dir.preferLibrariesOnDisk(L"velmora-library-probe.exe", libraries);
    dir.write(L"items\\root.xml", L"<groups><group id=\"g\"><name>g</name></group></groups>");
    dir.enter();
    const auto loaded = [&] {
        std::wstring ran;
        for (const std::wstring& library : libraries)
            if (DeleteFileW(dir.file(library + L".dll.ran").c_str())) ran += library + L" ";
        return ran;
    };
    // The planted libraries can be loaded, so the test can fail.
    for (const std::wstring& library : libraries)
        EXPECT_EQ(dir.run(probe, library + L".dll").code, 0u) << toUtf8(library);
    EXPECT_EQ(loaded(), L"riched20 comctl32 ");

    const FileHandle process = launchProcess(program, L"\"" + program + L"\"");
    const HWND window = windowOf(process.get());
    EXPECT_NE(window, nullptr) << "no window";
    EXPECT_EQ(loaded(), L"");
    PostMessageW(window, WM_CLOSE, 0, 0);
    // A program left running would hold the folder and the next run's files.
    if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 2);
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(code, 0u);
}

}  // namespace
