#pragma once

#include <windows.h>

#include "core/UniqueHandle.h"

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void release(Handle handle) { CloseHandle(handle); }
};

// A file opened by CreateFileW.
using FileHandle = UniqueHandle<FileHandleTraits>;
