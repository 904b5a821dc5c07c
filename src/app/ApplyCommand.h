#pragma once

#include <cstdint>
#include <string>

#include "app/SettingsFile.h"

// velmora-dump /apply: gives every setting of a settings file the file's
// value through its item, as the window's apply does: the undo file first,
// then each item, a failure reported and the next item tried. Lines:
// "undo <path>" when an undo file was written, "applied <qualified id>
// <value>" and "failed <qualified id> <message>" per setting, and last
// "applied=<n> failed=<n> then=none|logoff|restart". It never logs off or
// restarts by itself: the exit code tells what is due. A file with a line
// that no setting takes applies nothing: its refusals go to standard error.
// Throws Exception, applying nothing, when the file, the catalogue or the
// undo file cannot be used.
class ApplyCommand {
public:
    static constexpr int DONE = 0;
    static constexpr int FAILED = 1;
    static constexpr int REFUSED = 2;
    static constexpr int LOGOFF_DUE = 3;
    // ERROR_SUCCESS_REBOOT_REQUIRED, which installers and the tools that
    // deploy them read as done with a restart pending.
    static constexpr int RESTART_DUE = 3010;

    static CommandOutput run(const std::wstring& fileName, const std::wstring& itemsDirectory,
                             uint32_t filter);
};
