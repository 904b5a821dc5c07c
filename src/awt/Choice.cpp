#include "awt/Choice.h"

#include <windows.h>

#include <algorithm>

#include "awt/Toolkit.h"
#include "core/Exception.h"
#include "core/StringUtil.h"

namespace awt {

uint32_t Choice::getStyle() { return Component::getStyle() | WS_TABSTOP | CBS_DROPDOWNLIST; }

HWND Choice::createPeer() {
    HWND window = Component::createPeer();
    try {
        for (const std::wstring& item : items_) addNative(window, item);
    } catch (...) {
        DestroyWindow(window);
        throw;
    }
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(selectedIndex_), 0);
    // Created at the component's height, the list would open too short to
    // show anything.
    fitDropDown(window);
    return window;
}

void Choice::addNative(HWND window, const std::wstring& item) {
    const LRESULT result =
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (result < 0) {
        throw Exception(L"SendMessage(CB_ADDSTRING) failed: " +
                        toString(static_cast<int32_t>(result)));
    }
}

LRESULT Choice::handleCommand(int code, WPARAM, bool& handled) {
    // An arrow key in the open list reports the entry it moves to, but a
    // list closed without picking (Esc, a click on the box or elsewhere)
    // puts the old entry back without a word: the box would show one entry
    // while the program acts on another. So the shown entry is read again
    // whenever the list closes.
    if (code != CBN_SELCHANGE && code != CBN_SELENDCANCEL && code != CBN_CLOSEUP) return 0;
    handled = true;
    // CB_ERR is -1, which is "no selection" here too.
    const auto shown = static_cast<int32_t>(SendMessageW(getHandle(), CB_GETCURSEL, 0, 0));
    if (shown == selectedIndex_) return 0;
    selectedIndex_ = shown;
    fireItemStateChanged();
    return 0;
}

void Choice::setSize(int32_t width, int32_t height) {
    Component::setSize(width, height);
    if (getHandle() != nullptr) fitDropDown(getHandle());
}

void Choice::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
    Component::setBounds(x, y, width, height);
    if (getHandle() != nullptr) fitDropDown(getHandle());
}

void Choice::fitDropDown(HWND window) {
    const Size size = getSize();
    const auto itemHeight = static_cast<int32_t>(SendMessageW(window, CB_GETITEMHEIGHT, 0, 0));
    const int32_t height =
        size.height + getItemCount() * itemHeight + 2 * GetSystemMetrics(SM_CYBORDER);
    SetWindowPos(window, nullptr, 0, 0, size.width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    Toolkit::getDefaultToolkit().rethrowHeldException();
}

Size Choice::getPreferredSize() {
    if (preferredSize_.width == -1) {
        int32_t widest = 0;
        for (const std::wstring& item : items_) {
            Size text;
            getTextExtent(item, &text, nullptr);
            widest = std::max(widest, text.width);
        }
        TEXTMETRICW metrics{};
        getTextExtent(L"", nullptr, &metrics);
        preferredSize_ = {
            GetSystemMetrics(SM_CXVSCROLL) +
                2 * (GetSystemMetrics(SM_CXEDGE) + 2 * GetSystemMetrics(SM_CXBORDER)) + widest,
            2 * (GetSystemMetrics(SM_CYEDGE) + 2 * GetSystemMetrics(SM_CYBORDER)) +
                std::max<int32_t>(metrics.tmHeight, GetSystemMetrics(SM_CYVSCROLL))};
    }
    return preferredSize_;
}

void Choice::add(const std::wstring& item) {
    items_.push_back(item);
    preferredSize_.width = -1;
    HWND window = getHandle();
    if (window == nullptr) return;
    addNative(window, item);
    fitDropDown(window);
}

bool Choice::isDropped() const {
    return getHandle() != nullptr && SendMessageW(getHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void Choice::select(int32_t index) {
    if (index < -1 || index >= getItemCount()) {
        throw IllegalArgumentException(L"index: " + toString(index));
    }
    selectedIndex_ = index;
    if (getHandle() != nullptr) SendMessageW(getHandle(), CB_SETCURSEL, index, 0);
}

}  // namespace awt
