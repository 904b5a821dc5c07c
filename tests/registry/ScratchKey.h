#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// A key of the test's own below HKEY_CURRENT_USER\Software\velmora-test,
// removed with everything below it when the test starts and when it ends, so
// that a run that died leaves nothing that the next one would trip over.
class ScratchKey {
public:
    // Named after the running test, so that concurrent tests never share a key.
    ScratchKey() : ScratchKey(currentTestName()) {}
    explicit ScratchKey(const std::wstring& name)
        : subKey_(L"Software\\velmora-test\\" + name + L"-" +
                  std::to_wstring(GetCurrentProcessId())) {
        remove();
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        RegCloseKey(key);
    }
    ~ScratchKey() { remove(); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    const std::wstring& subKey() const { return subKey_; }
    std::wstring path() const { return L"HKEY_CURRENT_USER\\" + subKey_; }

    void remove() const {
        RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, subKey_.c_str());
    }

private:
    static std::wstring currentTestName() {
        const char* name = testing::UnitTest::GetInstance()->current_test_info()->name();
        return std::wstring(name, name + strlen(name));
    }

    std::wstring subKey_;
};

// Sets a value straight through the registry API, so that tests do not build
// their fixtures with the code they test. The data is copied into a buffer
// padded with non-zero bytes: RegSetValueExW would otherwise store a string
// terminator that the data does not have when one happens to follow it.
inline LONG setRawValue(HKEY root, const std::wstring& subKey, const std::wstring* name, DWORD type,
                        const std::string& data) {
    HKEY key = nullptr;
    LONG result = RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr);
    if (result != ERROR_SUCCESS) return result;
    std::string padded = data + std::string(4, '\x55');
    result = RegSetValueExW(key, name ? name->c_str() : nullptr, 0, type,
                            reinterpret_cast<const BYTE*>(padded.data()),
                            static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return result;
}

// The message of the exception of type E that f throws, or a text saying that
// none was thrown.
template <typename E, typename F>
std::wstring messageOf(F f) {
    try {
        f();
    } catch (const E& e) {
        return e.getMessage();
    }
    return L"(nothing thrown)";
}
