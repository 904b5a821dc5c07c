#include "core/Platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "MessageOf.h"
#include "core/Exception.h"
#include "core/StringUtil.h"

namespace {

TEST(Platform, FullPathsAreWholeAndFailuresNameThePath) {
    wchar_t current[MAX_PATH + 1];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, current);
    EXPECT_EQ(fullPathOf(L"a.xml"), joinPath(std::wstring(current, length), L"a.xml"));
    EXPECT_EQ(fullPathOf(L"C:\\items\\..\\other\\.\\b.xml"), L"C:\\other\\b.xml");
    // Longer than the first buffer: asked again, never cut.
    const std::wstring name(300, L'n');
    EXPECT_EQ(fullPathOf(L"C:\\" + name), L"C:\\" + name);
    const std::wstring empty = messageOf<IOException>([] { fullPathOf(L""); });
    EXPECT_TRUE(startsWith(empty, L"Can't get full path:  : ")) << empty;
    EXPECT_TRUE(endsWithIgnoreCase(systemDirectory(), L"\\system32"));
}

TEST(Platform, StartProcessRunsWithoutWaitingAndReportsFailures) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring marker = joinPath(temp, L"velmora-start-process.txt");
    DeleteFileW(marker.c_str());
    startProcess(joinPath(systemDirectory(), L"cmd.exe"),
                 L"cmd.exe /c echo started> \"" + marker + L"\"");
    bool appeared = false;
    for (int i = 0; i < 200 && !appeared; ++i) {
        appeared = GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!appeared) Sleep(50);
    }
    EXPECT_TRUE(appeared);
    Sleep(200);  // let cmd close the file before it is removed
    DeleteFileW(marker.c_str());

    const std::wstring message =
        messageOf<IOException>([] { startProcess(L"C:\\no\\such\\program.exe", L"program.exe"); });
    const std::wstring prefix = L"CreateProcess(C:\\no\\such\\program.exe) failed: ";
    ASSERT_TRUE(startsWith(message, prefix)) << message;
    const int32_t code = parseInt(message.substr(prefix.size()));
    EXPECT_TRUE(code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) << code;
}

}  // namespace
