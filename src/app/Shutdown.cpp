#include "app/Shutdown.h"

#include <windows.h>

#include "core/Exception.h"
#include "core/Platform.h"

namespace {

class TokenHandle {
public:
    explicit TokenHandle(HANDLE handle) : handle_(handle) {}
    ~TokenHandle() { CloseHandle(handle_); }
    TokenHandle(const TokenHandle&) = delete;
    TokenHandle& operator=(const TokenHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

void enableShutdownPrivilege() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened)) {
        throw SecurityException(L"OpenProcessToken() failed: " + lastErrorText());
    }
    // Closed on every path, also when a later step fails.
    const TokenHandle token(opened);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        throw SecurityException(L"LookupPrivilegeValue() failed: " + lastErrorText());
    }
    // The call succeeds even when the privilege is not held; only the last
    // error (ERROR_NOT_ALL_ASSIGNED) tells.
    SetLastError(ERROR_SUCCESS);
    AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
    if (GetLastError() != ERROR_SUCCESS) {
        throw SecurityException(L"AdjustTokenPrivileges() failed: " + lastErrorText());
    }
}

void exitWindows(uint32_t flags) {
    if (!ExitWindowsEx(flags, 0)) {
        throw SecurityException(L"ExitWindowsEx() failed: " + lastErrorText());
    }
}
