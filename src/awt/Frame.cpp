#include "awt/Frame.h"

#include <windows.h>

#include "awt/Toolkit.h"
#include "core/Exception.h"

namespace awt {

namespace {

constexpr wchar_t frameClassName[] = L"awt::Frame";

// Registered once per process and kept until it ends. The class procedure is
// only a placeholder: every frame is subclassed as soon as it exists.
ATOM frameClass() {
    static ATOM atom = 0;
    if (atom != 0) return atom;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_PARENTDC;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = Toolkit::getInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    windowClass.lpszClassName = frameClassName;
    atom = RegisterClassExW(&windowClass);
    if (atom == 0) {
        throw Exception(std::wstring(L"RegisterClassEx(") + frameClassName + L") failed");
    }
    return atom;
}

}  // namespace

Frame::Frame(const std::wstring& title) : title_(title) {}

const wchar_t* Frame::getClassName() { return MAKEINTATOM(frameClass()); }

uint32_t Frame::getStyle() { return Window::getStyle() | WS_OVERLAPPEDWINDOW; }

void Frame::setTitle(const std::wstring& title) {
    title_ = title;
    if (getHandle() != nullptr) SetWindowTextW(getHandle(), title_.c_str());
}

}  // namespace awt
