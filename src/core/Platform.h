#pragma once

#include <string>

#include "core/FileHandle.h"

// The few shared helpers that need the operating system. Kept apart from the
// pure string utilities so that those build and test on any host.

// Absolute form of a path; throws IOException naming the path on failure.
std::wstring fullPathOf(const std::wstring& path);

// The Windows system directory; throws IOException on failure.
std::wstring systemDirectory();

// Starts a process without a window and returns its handle, for a caller
// that waits for it; throws IOException when it cannot be created.
FileHandle launchProcess(const std::wstring& application, const std::wstring& commandLine);

// Starts a process as launchProcess does, without waiting for it.
void startProcess(const std::wstring& application, const std::wstring& commandLine);

// GetLastError as the decimal text used in every Win32 failure message.
std::wstring lastErrorText();
