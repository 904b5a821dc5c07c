// Stands in for a program or DLL that must never be started or loaded: it
// leaves a file named as itself with ".ran" added, beside itself.
#include <windows.h>

#include <string>

static int leaveMarker(HMODULE self) {
    wchar_t name[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(self, name, MAX_PATH + 1);
    const HANDLE file = CreateFileW((std::wstring(name, length) + L".ran").c_str(), GENERIC_WRITE,
                                    0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? 1 : (CloseHandle(file), 0);
}

int main() { return leaveMarker(nullptr); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) leaveMarker(instance);
    return TRUE;
}
