#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "../registry/ScratchKey.h"

// A temporary items directory of the running test's own, into which the test
// writes definition files as UTF-16LE with a byte order mark like the real
// ones. Removed with the files it holds when the test ends.
class DefinitionDir {
public:
    DefinitionDir() {
        const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        path_ = tempPath(L"velmora-items-" + std::wstring(test.begin(), test.end()) + L"-" +
                         std::to_wstring(GetCurrentProcessId()));
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~DefinitionDir() {
        for (const std::wstring& name : names_) DeleteFileW(file(name).c_str());
        RemoveDirectoryW(path_.c_str());
    }

    const std::wstring& path() const { return path_; }
    // The path of a file in the directory, which goes with it.
    std::wstring file(const std::wstring& name) {
        names_.insert(name);
        return joinPath(path_, name);
    }

    // Writes the text, after the XML declaration unless told not to, with
    // every @KEY@ replaced.
    void write(const std::wstring& name, std::wstring text, const std::wstring& key = L"",
               bool declared = true) {
        for (size_t at; (at = text.find(L"@KEY@")) != std::wstring::npos;) text.replace(at, 5, key);
        if (declared) text = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + text;
        text = L"\xFEFF" + text;
        std::ofstream(file(name).c_str(), std::ios::binary)
            .write(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    }

private:
    std::wstring path_;
    std::set<std::wstring> names_;
};
