// Stands in for a DLL that must never be loaded: loading it leaves a file
// named as itself with ".loaded" added, beside itself.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t self[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(instance, self, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return TRUE;
    const std::wstring marker = std::wstring(self, length) + L".loaded";
    const HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}
