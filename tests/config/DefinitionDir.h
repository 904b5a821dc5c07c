#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/FileHandle.h"
#include "core/FindHandle.h"
#include "core/StringUtil.h"

// A temporary items directory whose definition files the test writes from
// readable text, as UTF-16LE with a byte order mark like the real ones.
// Removed with its files when the test starts and ends.
class DefinitionDir {
public:
    DefinitionDir() {
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        const char* name = testing::UnitTest::GetInstance()->current_test_info()->name();
        path_ = joinPath(temp, L"velmora-items-" + std::wstring(name, name + strlen(name)) + L"-" +
                                   std::to_wstring(GetCurrentProcessId()));
        remove();
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~DefinitionDir() { remove(); }
    DefinitionDir(const DefinitionDir&) = delete;
    DefinitionDir& operator=(const DefinitionDir&) = delete;

    const std::wstring& path() const { return path_; }

    // Writes the declaration followed by the text.
    void write(const std::wstring& name, const std::wstring& text) const {
        writeRaw(name, L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + text);
    }
    void writeRaw(const std::wstring& name, const std::wstring& text) const {
        const std::wstring content = L"\xFEFF" + text;
        FileHandle file(CreateFileW(joinPath(path_, name).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file.valid());
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(content.size() * sizeof(wchar_t));
        ASSERT_TRUE(WriteFile(file.get(), content.data(), size, &written, nullptr));
        ASSERT_EQ(written, size);
    }

private:
    void remove() const {
        WIN32_FIND_DATAW data;
        {
            FindHandle search(FindFirstFileW(joinPath(path_, L"*").c_str(), &data));
            if (search.valid()) {
                do {
                    DeleteFileW(joinPath(path_, data.cFileName).c_str());
                } while (FindNextFileW(search.get(), &data));
            }
        }
        RemoveDirectoryW(path_.c_str());
    }

    std::wstring path_;
};

// Replaces every occurrence of from in text.
inline std::wstring replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
    for (size_t at = text.find(from); at != std::wstring::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}
