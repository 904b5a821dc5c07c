#pragma once

#include <cstdint>

// Ending the session after applying. Both throw SecurityException with the
// failed call's name and error code.

// Enables SeShutdownPrivilege in this process's token, which a restart needs.
void enableShutdownPrivilege();

// ExitWindowsEx with EWX_LOGOFF (0) or EWX_REBOOT (2).
void exitWindows(uint32_t flags);
