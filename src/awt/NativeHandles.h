#pragma once

#include "awt/Win32Types.h"
#include "core/UniqueHandle.h"

namespace awt {

struct WindowHandleTraits {
    using Handle = HWND;
    static Handle invalid() { return nullptr; }
    static void release(Handle handle);
};

// A native window, destroyed with DestroyWindow.
using WindowHandle = UniqueHandle<WindowHandleTraits>;

struct BrushHandleTraits {
    using Handle = HBRUSH;
    static Handle invalid() { return nullptr; }
    static void release(Handle handle);
};

// A GDI brush, deleted with DeleteObject.
using BrushHandle = UniqueHandle<BrushHandleTraits>;

// A device context of a window (or of the screen, for no window), released
// to the window that it came from.
class WindowDC {
public:
    explicit WindowDC(HWND window);
    ~WindowDC();
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a device context for as long as it lives, then
// puts back the object that was selected before.
class ObjectSelection {
public:
    ObjectSelection(HDC dc, HGDIOBJ object);
    ~ObjectSelection();
    ObjectSelection(const ObjectSelection&) = delete;
    ObjectSelection& operator=(const ObjectSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace awt
