#include "xml/UnicodeFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "../registry/ScratchKey.h"
#include "core/Exception.h"
#include "core/FileHandle.h"
#include "core/StringUtil.h"

namespace {

class UnicodeFile : public testing::Test {
protected:
    void TearDown() override { DeleteFileW(path_.c_str()); }

    void write(const std::string& bytes) {
        FileHandle file(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr));
    }

    // The message of what reading raises; the text must stay as it was.
    template <typename E>
    std::wstring failureOf() {
        std::wstring text = L"unchanged";
        try {
            readUnicodeFile(path_, text);
        } catch (const E& e) {
            EXPECT_EQ(text, L"unchanged");
            return e.getMessage();
        }
        return L"(read)";
    }

    const std::wstring path_ = tempPath(L"velmora-unicode-file-test.xml");
};

TEST_F(UnicodeFile, ReadsCodeUnitsAfterTheMarkUnchanged) {
    // "a", CR LF, a surrogate pair for U+1F600, and U+3042.
    write(std::string("\xFF\xFE\x61\0\r\0\n\0\x3D\xD8\x00\xDE\x42\x30", 14));
    std::wstring text;
    EXPECT_EQ(readUnicodeFile(path_, text), 6u);
    EXPECT_EQ(text, L"a\r\n\xD83D\xDE00\x3042");
    write("\xFF\xFE");
    EXPECT_EQ(readUnicodeFile(path_, text), 0u);
    EXPECT_EQ(text, L"");
}

TEST_F(UnicodeFile, RefusesWhatIsNotLittleEndianWithAMark) {
    for (const std::string& bytes :
         {std::string(), std::string("\xFF"), std::string("\xFF\xFE\x61")}) {
        write(bytes);
        EXPECT_EQ(failureOf<IOException>(), L"No unicode file: " + path_) << bytes.size();
    }
    for (const std::string& bytes : {std::string("\xFE\xFF\0a", 4), std::string("<\0?\0", 4)}) {
        write(bytes);
        EXPECT_EQ(failureOf<IOException>(), L"No unicode little file: " + path_);
    }
}

TEST_F(UnicodeFile, TellsAMissingFileFromOneItCannotOpen) {
    DeleteFileW(path_.c_str());
    EXPECT_EQ(failureOf<FileNotFoundException>(), path_);
    write(std::string("\xFF\xFE\x61\0", 4));
    FileHandle writer(CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_EQ(failureOf<IOException>(),
              L"Failed to open: " + path_ + L" : " + toString(ERROR_SHARING_VIOLATION));
}

}  // namespace
