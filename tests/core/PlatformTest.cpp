#include "core/Platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "ArgumentWriter.h"
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

// The program must see every argument, the first one too: C programs take
// the first word of the command line for their own name.
TEST(Platform, StartProcessPassesEveryArgumentAndReportsFailures) {
    const std::wstring out = L"C:\\velmora start.txt";
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"", L""}, {L" -y", L"-y\n"}, {L" \"two words\" %PATH%", L"two words\n%PATH%\n"}};
    for (const auto& [arguments, written] : cases) {
        startProcess(argumentWriter(), L"\"" + out + L"\"" + arguments);
        EXPECT_EQ(writtenText(out), out + L"\n" + written) << arguments;
    }
    const std::wstring message =
        messageOf<IOException>([] { startProcess(L"C:\\no\\such\\program.exe", L"program.exe"); });
    const std::wstring prefix = L"CreateProcess(C:\\no\\such\\program.exe) failed: ";
    ASSERT_TRUE(startsWith(message, prefix)) << message;
    const int32_t code = parseInt(message.substr(prefix.size()));
    EXPECT_TRUE(code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) << code;
}

}  // namespace
