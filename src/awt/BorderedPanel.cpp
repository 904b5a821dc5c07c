#include "awt/BorderedPanel.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>

namespace awt {

BorderedPanel::BorderedPanel(const std::wstring& title) : title_(title) { insets_.top = -1; }

uint32_t BorderedPanel::getStyle() {
    return Container::getStyle() | BS_GROUPBOX | BS_LEFT | BS_TOP | BS_NOTIFY;
}

Insets BorderedPanel::getInsets() {
    if (insets_.top == -1) {
        TEXTMETRICW metrics{};
        getTextExtent(L"", nullptr, &metrics);
        const int32_t height = metrics.tmHeight;
        insets_.top = height + height / 2 + metrics.tmExternalLeading;
        insets_.left = metrics.tmAveCharWidth + GetSystemMetrics(SM_CXEDGE);
        insets_.bottom = height / 2 + GetSystemMetrics(SM_CYEDGE);
        insets_.right = metrics.tmAveCharWidth + GetSystemMetrics(SM_CXEDGE);
    }
    return insets_;
}

Size BorderedPanel::getPreferredSize() {
    Size size = Panel::getPreferredSize();
    Size title;
    getTextExtent(title_, &title, nullptr);
    const Insets insets = getInsets();
    size.width = std::max(size.width, insets.left + title.width + insets.right);
    return size;
}

LRESULT BorderedPanel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return eraseBackground(reinterpret_cast<HDC>(wParam), wParam, lParam);
        case WM_NCHITTEST:
            return hitTest(wParam, lParam);
    }
    return Panel::handleMessage(message, wParam, lParam);
}

// A group box paints only its frame and title; the area inside takes the
// brush that the parent would give the box, so coloured parents show through.
LRESULT BorderedPanel::eraseBackground(HDC dc, WPARAM wParam, LPARAM lParam) {
    HWND parentWindow = getParent() != nullptr ? getParent()->getHandle() : nullptr;
    if (parentWindow != nullptr) {
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
            parentWindow, WM_CTLCOLORBTN, wParam, reinterpret_cast<LPARAM>(getHandle())));
        if (brush != nullptr) {
            const Size size = getSize();
            const RECT area{0, 0, size.width, size.height};
            FillRect(dc, &area, brush);
            return 0;
        }
    }
    return Panel::handleMessage(WM_ERASEBKGND, wParam, lParam);
}

// A group box lets the mouse through to what lies below it; a panel must
// receive it, for its mouse listeners and for the children's hit testing.
LRESULT BorderedPanel::hitTest(WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(getHandle(), &point);
    const Size size = getSize();
    if (point.x >= 0 && point.x < size.width && point.y >= 0 && point.y < size.height) {
        return HTCLIENT;
    }
    return Panel::handleMessage(WM_NCHITTEST, wParam, lParam);
}

}  // namespace awt
