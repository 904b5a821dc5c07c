#pragma once

#include <windows.h>
// After windows.h, which it relies on.
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

#include "../core/MessageOf.h"
#include "../core/ScratchDir.h"
#include "core/Exception.h"
#include "core/StringUtil.h"
#include "registry/RegistryStorage.h"

// Imports a registry script through the registry editor. Under Wine a process
// now and then fails to start, so a start that failed is tried again.
inline void importWithRetries(const std::wstring& file) {
    for (int attempt = 1;; ++attempt) {
        try {
            return RegistryStorage::importRegFile(file);
        } catch (const IOException& e) {
            if (attempt == 3) return ADD_FAILURE() << e.getMessage();
        }
    }
}

// The code units of a text as bytes, the way the registry holds them.
inline std::string bytesOf(const std::wstring& text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)};
}

// Sets a value straight through the registry API, so that fixtures are not
// built with the code under test. The data sits in a buffer padded with
// non-zero bytes: RegSetValueExW would otherwise add a string terminator that
// the data lacks when one happens to follow it. A null name is the default.
inline LONG setRaw(HKEY key, const wchar_t* name, DWORD type, const std::string& data) {
    const std::string padded = data + std::string(4, '\x55');
    return RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(padded.data()),
                          static_cast<DWORD>(data.size()));
}

extern "C" LONG NTAPI NtDeleteKey(HANDLE key);

// Makes the key below HKEY_CURRENT_USER a registry link to the other key, or
// with no target removes it as itself: removing it by name would follow it.
inline void linkKey(const std::wstring& subKey, const std::wstring& target = L"") {
    HKEY key = nullptr;
    if (target.empty()) {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), REG_OPTION_OPEN_LINK, DELETE, &key) ==
            ERROR_SUCCESS) {
            NtDeleteKey(key);
            RegCloseKey(key);
        }
        return;
    }
    RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                    KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &key, nullptr);
    // Link targets name the current user's hive as the kernel does.
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    char user[256];
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, user, sizeof user, &size);
    CloseHandle(token);
    wchar_t* sid = nullptr;
    ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid);
    const std::wstring to = L"\\Registry\\User\\" + std::wstring(sid) + L"\\" + target;
    LocalFree(sid);
    EXPECT_EQ(RegSetValueExW(key, L"SymbolicLinkValue", 0, REG_LINK,
                             reinterpret_cast<const BYTE*>(to.data()), to.size() * 2),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

// A key of the running test's own below Software\velmora-test of the
// current user (or of the machine), removed with everything below it when
// the test starts and when it ends, so that a run that died leaves nothing
// for the next one to trip over.
class ScratchKey {
public:
    explicit ScratchKey(HKEY root = HKEY_CURRENT_USER) : root_(root) {
        const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        subKey_ = L"Software\\velmora-test\\" + std::wstring(test.begin(), test.end()) + L"-" +
                  std::to_wstring(GetCurrentProcessId());
        remove();
        RegCloseKey(create(subKey_));
    }
    ~ScratchKey() { remove(); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    const std::wstring& subKey() const { return subKey_; }
    std::wstring path() const {
        return (root_ == HKEY_CURRENT_USER ? L"HKEY_CURRENT_USER\\" : L"HKEY_LOCAL_MACHINE\\") +
               subKey_;
    }

    // Sets a value in the key, or in the key below it that is named.
    void set(const wchar_t* name, DWORD type, const std::string& data,
             const std::wstring& below = L"") const {
        const HKEY key = create(below.empty() ? subKey_ : subKey_ + L"\\" + below);
        EXPECT_EQ(setRaw(key, name, type, data), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void setDWORD(const wchar_t* name, uint32_t value) const {
        set(name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4));
    }

private:
    HKEY create(const std::wstring& subKey) const {
        HKEY key = nullptr;
        RegCreateKeyExW(root_, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr);
        return key;
    }
    void remove() const { RegDeleteTreeW(root_, subKey_.c_str()); }

    HKEY root_;
    std::wstring subKey_;
};
