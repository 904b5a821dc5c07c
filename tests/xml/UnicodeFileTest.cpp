#include "xml/UnicodeFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "../registry/ScratchKey.h"
#include "core/Exception.h"
#include "core/FileHandle.h"

namespace {

const std::wstring path = tempPath(L"velmora-unicode-file-test.xml");

void write(const std::string& bytes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

// The number of code units read and the text, or the failure's message, a
// missing file's marked so; a failure must leave the text as it was.
std::wstring read() {
    std::wstring text = L"unchanged";
    try {
        const size_t units = readUnicodeFile(path, text);
        return std::to_wstring(units) + L" " + text;
    } catch (const FileNotFoundException& e) {
        EXPECT_EQ(text, L"unchanged");
        return L"missing " + e.getMessage();
    } catch (const IOException& e) {
        EXPECT_EQ(text, L"unchanged");
        return e.getMessage();
    }
}

TEST(UnicodeFile, ReadsLittleEndianCodeUnitsAfterTheMarkUnchangedAndRefusesAllElse) {
    const std::wstring none = L"No unicode file: " + path, big = L"No unicode little file: " + path;
    const std::pair<std::string, std::wstring> cases[] = {
        // "a", CR LF, a surrogate pair for U+1F600, and U+3042.
        {{"\xFF\xFE\x61\0\r\0\n\0\x3D\xD8\x00\xDE\x42\x30", 14}, L"6 a\r\n\xD83D\xDE00\x3042"},
        {"\xFF\xFE", L"0 "},
        {"", none},
        {"\xFF", none},
        {"\xFF\xFE\x61", none},
        {{"\xFE\xFF\0a", 4}, big},
        {{"<\0?\0", 4}, big},
    };
    for (const auto& [bytes, result] : cases) {
        write(bytes);
        EXPECT_EQ(read(), result) << bytes.size();
    }
    // A file that is there but cannot be opened is no missing one.
    FileHandle writer(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_EQ(read(), L"Failed to open: " + path + L" : " + toString(ERROR_SHARING_VIOLATION));
    writer.reset();
    DeleteFileW(path.c_str());
    EXPECT_EQ(read(), L"missing " + path);
}

}  // namespace
