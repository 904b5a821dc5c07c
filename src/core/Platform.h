#pragma once

#include <string>

#include "core/FileHandle.h"

// The few shared helpers that need the operating system. Kept apart from the
// pure string utilities so that those build and test on any host.

// Absolute form of a path; throws IOException naming the path on failure.
std::wstring fullPathOf(const std::wstring& path);

// The Windows system directory; throws IOException on failure.
std::wstring systemDirectory();

// The shared Windows directory, never a per-user one that a terminal server
// may hand out instead; throws IOException on failure.
std::wstring windowsDirectory();

// This program's own file, and the folder it lies in: a folder that an
// installer protects, unlike the current directory. Throw IOException.
std::wstring executablePath();
std::wstring executableFolder();

// Whether the process runs with the elevated token of an administrator, whom
// the other processes of the same user, unelevated, must not steer.
bool isElevated();

// Whether the file system keeps the rights that programs give files, and
// enforces them. Wine does neither: every file there belongs to the user and
// any process may write it.
bool fileSecurityEnforced();

// The path with every link and junction on the way resolved, as the system
// finds the file or folder; the path unchanged on systems that cannot tell
// (before Vista). Throws IOException when the path names nothing.
std::wstring resolvedPathOf(const std::wstring& path);

// Makes every later DLL load, and the loads those DLLs make, search the
// system directory only: the program runs elevated from whatever folder it
// was unpacked into, where a DLL of anyone's may lie beside it. Called first
// thing in every executable's entry point. Where the system lacks that
// restriction, at least the current directory is taken out of the search.
void restrictDllSearchToSystem();

// Loads a library of the system directory by its full path, never one of
// that name found beside the program or in the current directory; throws
// IOException "LoadLibrary(" + name + ") failed: " + code.
HMODULE loadSystemLibrary(const std::wstring& name);

// Starts a process and returns its handle, for a caller that waits for it;
// throws IOException when it cannot be created. It gets no console window
// unless it is started for the user, then in the folder given.
FileHandle launchProcess(const std::wstring& application, const std::wstring& commandLine,
                         bool forUser = false, const std::wstring& folder = L"");

// Starts the program with the arguments as launchProcess does, without
// waiting for it. The command line is the quoted program path, a blank and
// the arguments, as a program expects to find it.
void startProcess(const std::wstring& application, const std::wstring& commandLine);

// UTF-8 form of a text, for consoles, pipes and files read on other systems.
std::string toUtf8(const std::wstring& text);

// Writes all of the bytes to a standard handle (STD_OUTPUT_HANDLE or
// STD_ERROR_HANDLE); a handle that refuses them ends the writing silently,
// since there is nowhere left to report it.
void writeStandard(unsigned long stdHandle, const std::string& bytes);

// GetLastError as the decimal text used in every Win32 failure message.
std::wstring lastErrorText();
