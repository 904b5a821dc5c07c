#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/FileHandle.h"
#include "core/Platform.h"
#include "core/StringUtil.h"

// A path in the temporary directory.
inline std::wstring tempPath(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    return joinPath(temp, name);
}

// A file beside the running test's executable.
inline std::wstring besideThisTest(const std::wstring& name) {
    wchar_t self[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
    return joinPath(parentPathOf(std::wstring(self, length)), name);
}

inline bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A file of the build tree as programs under test see it: Wine shows the
// host's root as Z:.
inline std::wstring builtFile(const std::string& host) {
    std::wstring path = L"Z:" + std::wstring(host.begin(), host.end());
    for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
    return path;
}

// Removes a file or a directory with everything in it. A link is removed as
// itself: what it leads to is no test's to remove.
inline void removeTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW found;
        const HANDLE find = FindFirstFileW(joinPath(path, L"*").c_str(), &found);
        for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found)) {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") removeTree(joinPath(path, name));
        }
        if (find != INVALID_HANDLE_VALUE) FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

// How a program run by a test ended, and what it wrote.
struct Ran {
    DWORD code = 0xDEAD;
    std::string out, err;
};

// A directory of the running test's own in the temporary directory. It is
// emptied when made, and removed with everything in it when the test ends,
// also when an assertion ended it early; so are the current directory and
// the overrides it set put back.
class ScratchDir {
public:
    ScratchDir() : path_(tempPath(L"velmora-" + testName())) {
        removeTree(path_);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchDir() {
        if (!previous_.empty()) SetCurrentDirectoryW(previous_.c_str());
        for (const std::wstring& key : overrides_) RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
        // A program the test started may hold a file a moment longer.
        for (int i = 0; i < 50 && (removeTree(path_), exists(path_)); ++i) Sleep(100);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return joinPath(path_, name); }

    // Makes each directory named ending in a backslash, and each file named
    // otherwise, empty; folders on the way are made too.
    void make(const std::vector<std::wstring>& names) const {
        for (const std::wstring& name : names) {
            makeFolders(name);
            if (!name.ends_with(L'\\')) std::ofstream(file(name).c_str(), std::ios::binary);
        }
    }

    // Copies a file into the directory under the name given; gives its path.
    std::wstring copy(const std::wstring& from, const std::wstring& name) const {
        makeFolders(name);
        EXPECT_TRUE(CopyFileW(from.c_str(), file(name).c_str(), FALSE)) << toUtf8(from);
        return file(name);
    }

    // Writes a definition file as UTF-16LE with a byte order mark like the
    // real ones: the text after the XML declaration unless told not to, with
    // every @KEY@ replaced.
    void write(const std::wstring& name, std::wstring text, const std::wstring& key = L"",
               bool declared = true) const {
        for (size_t at; (at = text.find(L"@KEY@")) != std::wstring::npos;) text.replace(at, 5, key);
        if (declared) text = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + text;
        text = L"\xFEFF" + text;
        makeFolders(name);
        std::ofstream(file(name).c_str(), std::ios::binary)
            .write(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    }

    // Makes the directory the current one until the test ends.
    void enter() {
        wchar_t previous[MAX_PATH + 1];
        if (previous_.empty() && GetCurrentDirectoryW(MAX_PATH + 1, previous)) previous_ = previous;
        ASSERT_TRUE(SetCurrentDirectoryW(path_.c_str()));
    }

    // Tells Wine to load the libraries named, for the program of that file
    // name, from disk before its own: otherwise a library planted beside a
    // program could never be loaded, and a test of that could not fail.
    void preferLibrariesOnDisk(const std::wstring& program,
                               const std::vector<std::wstring>& libraries) {
        const std::wstring key = L"Software\\Wine\\AppDefaults\\" + program;
        const std::wstring order = L"native,builtin";
        overrides_.push_back(key);
        for (const std::wstring& library : libraries) {
            EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (key + L"\\DllOverrides").c_str(),
                                      library.c_str(), REG_SZ, order.c_str(),
                                      static_cast<DWORD>((order.size() + 1) * 2)),
                      ERROR_SUCCESS);
        }
    }

    // Runs the program to its end in this directory, with its output and
    // error output caught. Under Wine a process now and then fails to start,
    // ending with a failure and without a word: such a run is made again, up
    // to three times.
    Ran run(const std::wstring& program, const std::wstring& arguments) const {
        Ran ran;
        for (int attempt = 0; attempt < 3; ++attempt) {
            ran = runOnce(program, arguments);
            if (ran.code == 0 || !ran.out.empty() || !ran.err.empty()) break;
        }
        return ran;
    }

private:
    void makeFolders(const std::wstring& name) const {
        for (size_t at = 0; (at = name.find(L'\\', at)) != std::wstring::npos; ++at)
            CreateDirectoryW(file(name.substr(0, at)).c_str(), nullptr);
    }

    static std::wstring testName() {
        const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        return std::wstring(test.begin(), test.end()) + L"-" +
               std::to_wstring(GetCurrentProcessId());
    }

    Ran runOnce(const std::wstring& program, const std::wstring& arguments) const {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const auto create = [&](const wchar_t* name) {
            return FileHandle(CreateFileW(file(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                          &inherit, CREATE_ALWAYS, 0, nullptr));
        };
        const FileHandle out = create(L".out"), err = create(L".err");
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out.get();
        startup.hStdError = err.get();
        std::wstring commandLine = L"\"" + program + L"\" " + arguments;
        PROCESS_INFORMATION process{};
        Ran ran;
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                            path_.c_str(), &startup, &process)) {
            ADD_FAILURE() << "can't start " << toUtf8(program) << ": " << GetLastError();
            return ran;
        }
        CloseHandle(process.hThread);
        const FileHandle running(process.hProcess);
        EXPECT_EQ(WaitForSingleObject(running.get(), 30000), WAIT_OBJECT_0) << toUtf8(program);
        GetExitCodeProcess(running.get(), &ran.code);
        for (auto [name, text] : {std::pair{L".out", &ran.out}, {L".err", &ran.err}}) {
            std::ifstream in(file(name).c_str(), std::ios::binary);
            *text = std::string(std::istreambuf_iterator<char>(in), {});
        }
        return ran;
    }

    std::wstring path_, previous_;
    std::vector<std::wstring> overrides_;
};
