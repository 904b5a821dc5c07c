#include "core/Platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "core/Exception.h"
#include "core/StringUtil.h"

namespace {

std::wstring currentDirectory() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, buffer);
    return std::wstring(buffer, length);
}

TEST(FullPathOf, ResolvesRelativeAndDottedPaths) {
    EXPECT_EQ(fullPathOf(L"a.xml"), joinPath(currentDirectory(), L"a.xml"));
    EXPECT_EQ(fullPathOf(L"C:\\items\\..\\other\\.\\b.xml"), L"C:\\other\\b.xml");
    EXPECT_EQ(fullPathOf(L"C:\\"), L"C:\\");
}

TEST(FullPathOf, ReturnsLongPathsWholeAndRefusesTheEmptyPath) {
    const std::wstring name(300, L'n');
    const std::wstring full = fullPathOf(L"C:\\" + name);
    EXPECT_EQ(full, L"C:\\" + name);

    try {
        fullPathOf(L"");
        ADD_FAILURE() << "the empty path was resolved";
    } catch (const IOException& e) {
        EXPECT_TRUE(startsWith(e.getMessage(), L"Can't get full path:  : "))
            << e.getMessage().size();
    }
}

TEST(SystemDirectory, IsAnExistingSystem32Directory) {
    const std::wstring dir = systemDirectory();
    EXPECT_TRUE(endsWithIgnoreCase(dir, L"\\system32"));
    const DWORD attributes = GetFileAttributesW(dir.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(StartProcess, RunsTheProgramWithoutWaiting) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring marker = joinPath(temp, L"velmora-start-process.txt");
    DeleteFileW(marker.c_str());

    const std::wstring cmd = joinPath(systemDirectory(), L"cmd.exe");
    startProcess(cmd, L"cmd.exe /c echo started> \"" + marker + L"\"");

    bool appeared = false;
    for (int i = 0; i < 200 && !appeared; ++i) {
        appeared = GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!appeared) Sleep(50);
    }
    EXPECT_TRUE(appeared);
    Sleep(200);  // let cmd close the file before it is removed
    DeleteFileW(marker.c_str());
}

TEST(StartProcess, ReportsTheApplicationAndErrorCode) {
    try {
        startProcess(L"C:\\no\\such\\program.exe", L"program.exe");
        ADD_FAILURE() << "a missing program was started";
    } catch (const IOException& e) {
        const std::wstring prefix = L"CreateProcess(C:\\no\\such\\program.exe) failed: ";
        ASSERT_TRUE(startsWith(e.getMessage(), prefix));
        const int32_t code = parseInt(e.getMessage().substr(prefix.size()));
        EXPECT_TRUE(code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) << code;
    }
}

}  // namespace
