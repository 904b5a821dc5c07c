#include "awt/Window.h"

#include <windows.h>

#include "awt/Toolkit.h"

namespace awt {

namespace {

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool fullWindowDragging() {
    BOOL on = FALSE;
    return SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &on, 0) && on;
}

}  // namespace

Window::Window() {
    visible_ = false;
    x_ = CW_USEDEFAULT;
    y_ = CW_USEDEFAULT;
}

uint32_t Window::getStyle() { return Container::getStyle() & ~static_cast<uint32_t>(WS_CHILD); }

HWND Window::createPeer() {
    HWND window = Container::createPeer();
    // The default GUI font went to the class procedure before the toolkit's
    // procedure took over, and a top-level class procedure drops it.
    font_ = Toolkit::getGuiFont();
    return window;
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOVE: {
            const RECT rect = windowRect(getHandle());
            onMove(rect.left, rect.top);
            break;
        }
        case WM_SIZE: {
            const RECT rect = windowRect(getHandle());
            onSize(static_cast<UINT>(wParam), rect.right - rect.left, rect.bottom - rect.top);
            break;
        }
        case WM_CLOSE:
            fireWindowClosing();
            break;
        case WM_GETMINMAXINFO:
            onGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
            break;
        case WM_SYSCOMMAND:
            onSysCommand(wParam);
            break;
        case WM_SETFONT:
            // A top-level window's class procedure keeps no font; the window
            // keeps it, so that its text is measured like any other peer's.
            font_ = reinterpret_cast<HFONT>(wParam);
            break;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_SIZING:
            // Without full-window dragging only an outline moves, and the
            // layout waits for the final WM_SIZE.
            if (fullWindowDragging()) {
                const auto* rect = reinterpret_cast<const RECT*>(lParam);
                onSizing(static_cast<UINT>(wParam), rect->right - rect->left,
                         rect->bottom - rect->top);
            }
            break;
    }
    // Default processing still follows: it is what closes, moves and sizes.
    return Container::handleMessage(message, wParam, lParam);
}

void Window::onMove(int32_t x, int32_t y) {
    x_ = x;
    y_ = y;
}

void Window::onSize(UINT, int32_t width, int32_t height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    getToolkit()->invalidate(this);
}

void Window::onSizing(UINT edge, int32_t width, int32_t height) { onSize(edge, width, height); }

void Window::onSysCommand(WPARAM command) {
    // The low four bits of a system command are the system's own.
    if ((command & 0xFFF0) == SC_CLOSE) fireWindowClosing();
}

void Window::onGetMinMaxInfo(MINMAXINFO* info) {
    if (minimumSize_.width == -1) return;
    info->ptMinTrackSize.x = minimumSize_.width;
    info->ptMinTrackSize.y = minimumSize_.height;
}

void Window::setVisible(bool visible) {
    if (visible && getHandle() == nullptr) {
        addNotify();
        // A window shown again after the system destroyed it keeps its flag;
        // its new peers still need a layout.
        getToolkit()->invalidate(this);
    }
    Container::setVisible(visible);
}

void Window::addNotify() {
    Container::addNotify();
    const RECT rect = windowRect(getHandle());
    x_ = rect.left;
    y_ = rect.top;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
}

void Window::setIcons(HICON smallIcon, HICON bigIcon) {
    if (getHandle() == nullptr) return;
    SendMessageW(getHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    SendMessageW(getHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
}

void Window::setMinimumSize(int32_t width, int32_t height) { minimumSize_ = {width, height}; }

void Window::pack() {
    addNotify();
    const Size size = getPreferredSize();
    setSize(size.width, size.height);
}

void Window::dispose() {
    setVisible(false);
    removeNotify();
}

void Window::fireWindowClosing() {
    WindowEvent event(this);
    windowListeners_.fire(&WindowListener::windowClosing, event);
}

}  // namespace awt
