#pragma once

#include <windows.h>

#include "core/UniqueHandle.h"

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void release(Handle handle) { FindClose(handle); }
};

// A directory search opened by FindFirstFileW.
using FindHandle = UniqueHandle<FindHandleTraits>;
