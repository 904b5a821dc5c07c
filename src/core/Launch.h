#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Finding and opening what a launcher names, or a file the user picked, as
// an elevated program must: nothing found through a variable, a folder or a
// file association that another process of the same user could change.

// The value of one of the variables whose value the system itself decides:
// SystemRoot and windir (the Windows directory), SystemDrive, ProgramFiles,
// ProgramFiles(x86), CommonProgramFiles and ProgramData (their known
// folders). Nothing for any other name; the environment is never read.
std::optional<std::wstring> systemVariable(const std::wstring& name);

// The path with its system variables expanded (see expandVariables), or
// nothing when it names another variable.
std::optional<std::wstring> expandSystemVariables(const std::wstring& path);

// A bare file name (isBareName) found in the system directory, else in the
// Windows directory; the name unchanged when neither holds such a file.
// Neither the current directory nor PATH is ever searched.
std::wstring resolveBareName(const std::wstring& name);

// Opens an absolute path as a double-click would, in the path's own folder.
// Unelevated, the shell opens it. Elevated, no file association is read,
// since the user's own ones may be rewritten by any process of theirs:
// programs (.exe) start directly, consoles (.msc) through mmc.exe and
// control panel items (.cpl) through control.exe from the system directory,
// and any other document through the desktop shell, which opens it without
// elevation. A command shell (cmd.exe, powershell.exe, pwsh.exe) starts
// without the start-up commands and scripts that the user's settings name.
// Throws IOException when the path is not absolute or nothing could be
// started.
void openFile(const std::wstring& path, HWND owner, bool elevated);

// Opens a document through the desktop shell, which runs as the user
// without elevation whatever this process's rights, as a double-click there
// would. Throws IOException when the path is not absolute or the shell
// opened nothing.
void openAsUser(const std::wstring& path);
