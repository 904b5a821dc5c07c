#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/StringUtil.h"

namespace {

std::wstring besideThisTest(const std::wstring& name) {
    wchar_t self[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
    return joinPath(parentPathOf(std::wstring(self, length)), name);
}

// Runs the program in its directory and returns its exit code, or -1.
DWORD run(const std::wstring& program, const std::wstring& arguments,
          const std::wstring& directory) {
    std::wstring line = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &process)) {
        return static_cast<DWORD>(-1);
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// A rich edit library of anyone's beside the program, and in its current
// directory, is never loaded. Wine prefers its own library unless told to
// take one found on disk first; without that override for the probe the
// planted library could never be loaded and the test could not fail.
TEST(PlantedLibrary, ARichEditLibraryBesideTheProgramIsNeverLoaded) {
    const std::wstring directory = joinPath(besideThisTest(L""), L"planted-library");
    CreateDirectoryW(directory.c_str(), nullptr);
    const std::wstring probe = joinPath(directory, L"velmora-planted-probe.exe");
    const std::wstring planted = joinPath(directory, L"riched20.dll");
    const std::wstring marker = planted + L".loaded";
    ASSERT_TRUE(CopyFileW(besideThisTest(L"text_area_probe.exe").c_str(), probe.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(besideThisTest(L"planted-riched20.dll").c_str(), planted.c_str(), FALSE));
    // Per program, so that no other program of the prefix is touched.
    const std::wstring overrides =
        L"Software\\Wine\\AppDefaults\\velmora-planted-probe.exe\\DllOverrides";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, overrides.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring order = L"native,builtin";
    RegSetValueExW(key, L"riched20", 0, REG_SZ, reinterpret_cast<const BYTE*>(order.c_str()),
                   static_cast<DWORD>((order.size() + 1) * 2));
    RegCloseKey(key);
    const struct {
        std::wstring arguments;
        bool loaded;
    } cases[] = {
        {L"open bare", true},  // the planted library is found, so the test can fail
        {L"restricted bare", false},
        {L"open area", false},
        {L"restricted area", false},
    };
    for (const auto& [arguments, loaded] : cases) {
        DeleteFileW(marker.c_str());
        EXPECT_EQ(run(probe, arguments, directory), 0u) << arguments.c_str();
        EXPECT_EQ(GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES, loaded)
            << arguments.c_str();
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, overrides.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\velmora-planted-probe.exe");
    for (const std::wstring& file : {marker, probe, planted}) DeleteFileW(file.c_str());
    RemoveDirectoryW(directory.c_str());
}

}  // namespace
