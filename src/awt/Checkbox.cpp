#include "awt/Checkbox.h"

#include <windows.h>

#include <algorithm>

#include "awt/CheckboxGroup.h"
#include "awt/Toolkit.h"
#include "core/Exception.h"
#include "core/StringUtil.h"

namespace awt {

Checkbox::Checkbox(const std::wstring& label, bool state, CheckboxGroup* group)
    : Button(label), state_(state), group_(group) {
    if (group_ != nullptr) group_->add(*this);
}

Checkbox::~Checkbox() {
    if (group_ != nullptr) group_->forget(*this);
}

uint32_t Checkbox::getStyle() {
    const uint32_t alignment = BS_LEFT | BS_RIGHT | BS_TOP | BS_BOTTOM;
    const uint32_t style = (Button::getStyle() & ~alignment) | BS_LEFT | BS_VCENTER;
    return style | (group_ != nullptr ? BS_AUTORADIOBUTTON : BS_AUTOCHECKBOX);
}

HWND Checkbox::createPeer() {
    HWND window = Button::createPeer();
    SendMessageW(window, BM_SETCHECK, state_ ? BST_CHECKED : BST_UNCHECKED, 0);
    return window;
}

LRESULT Checkbox::handleCommand(int code, WPARAM, bool& handled) {
    if (code != BN_CLICKED) return 0;
    const LRESULT check = SendMessageW(getHandle(), BM_GETCHECK, 0, 0);
    if (check != BST_UNCHECKED && check != BST_CHECKED) {
        throw Exception(L"illegal check box state: " + toString(static_cast<int32_t>(check)));
    }
    state_ = check == BST_CHECKED;
    // The native radio button has cleared its checked neighbours without
    // telling anyone; their stored states must follow.
    if (state_ && group_ != nullptr) group_->clearOthers(*this);
    handled = true;
    fireItemStateChanged();
    return 0;
}

Size Checkbox::getPreferredSize() {
    if (preferredSize_.width == -1) {
        // Asked once: the system works the check mark out from the menu font
        // each time, which costs more than the rest of the measurement, and
        // a page holds hundreds of boxes.
        static const Size mark{GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)};
        Size text;
        TEXTMETRICW metrics{};
        getTextExtent(getLabel(), &text, &metrics);
        const Insets insets = getInsets();
        preferredSize_ = {std::max<int32_t>(metrics.tmHeight, mark.width) +
                              2 * GetSystemMetrics(SM_CXBORDER) + insets.left + insets.right +
                              text.width + metrics.tmAveCharWidth,
                          std::max<int32_t>(metrics.tmHeight + metrics.tmExternalLeading,
                                            mark.height) +
                              2 * GetSystemMetrics(SM_CYBORDER) + insets.top + insets.bottom};
    }
    return preferredSize_;
}

void Checkbox::setState(bool state) {
    if (state == state_) return;
    state_ = state;
    if (getHandle() == nullptr) return;
    SendMessageW(getHandle(), BM_SETCHECK, state_ ? BST_CHECKED : BST_UNCHECKED, 0);
    Toolkit::getDefaultToolkit().rethrowHeldException();
}

}  // namespace awt
