#pragma once

#include <windows.h>

#include "core/UniqueHandle.h"

struct RegKeyHandleTraits {
    using Handle = HKEY;
    static Handle invalid() { return nullptr; }
    // Runs from destructors, so it cannot throw: a failure is only told to the
    // debugger. RegKey::close is the way to learn of one.
    static void release(Handle handle) {
        if (RegCloseKey(handle) != ERROR_SUCCESS) OutputDebugStringW(L"velmora: close key\n");
    }
};

// A key opened by RegOpenKeyExW or RegCreateKeyExW.
using RegKeyHandle = UniqueHandle<RegKeyHandleTraits>;
