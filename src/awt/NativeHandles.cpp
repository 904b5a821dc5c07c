#include "awt/NativeHandles.h"

#include <windows.h>

namespace awt {

void WindowHandleTraits::release(HWND handle) { DestroyWindow(handle); }

void BrushHandleTraits::release(HBRUSH handle) { DeleteObject(handle); }

WindowDC::WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}

WindowDC::~WindowDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
}

ObjectSelection::ObjectSelection(HDC dc, HGDIOBJ object)
    : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}

ObjectSelection::~ObjectSelection() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
}

}  // namespace awt
