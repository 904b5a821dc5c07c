#pragma once

#include <windows.h>

#include <string>

#include "ScratchDir.h"

inline std::wstring argumentWriter() { return builtFile(ARGUMENT_WRITER_EXE); }

// What the writer wrote, once it has closed the file (an open without sharing
// fails until then), or "(no file)" after 10 s; the file is removed.
inline std::wstring writtenText(const std::wstring& path) {
    for (int i = 0; i < 200; ++i, Sleep(50)) {
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        wchar_t buffer[512];
        DWORD read = 0;
        ReadFile(file, buffer, sizeof buffer, &read, nullptr);
        CloseHandle(file);
        DeleteFileW(path.c_str());
        return std::wstring(buffer, read / sizeof(wchar_t));
    }
    return L"(no file)";
}
