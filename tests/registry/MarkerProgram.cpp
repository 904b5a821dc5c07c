// Stands in for a program that must never be started: it leaves a file named
// as itself with ".ran" added, beside itself, and ends with exit code 0.
#include <windows.h>

#include <string>

int main() {
    wchar_t self[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return 1;
    const std::wstring marker = std::wstring(self, length) + L".ran";
    const HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(file);
    return 0;
}
