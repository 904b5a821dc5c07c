#include "awt/Button.h"

#include <windows.h>

#include "awt/Toolkit.h"

namespace awt {

Button::Button(const std::wstring& label) : label_(label) {}

uint32_t Button::getStyle() {
    return Component::getStyle() | WS_TABSTOP | BS_NOTIFY | BS_CENTER | BS_VCENTER;
}

// BS_NOTIFY also brings focus and double-click notifications; they are left
// to default processing.
LRESULT Button::handleCommand(int code, WPARAM, bool& handled) {
    if (code != BN_CLICKED) return 0;
    handled = true;
    fireActionPerformed();
    return 0;
}

Size Button::getPreferredSize() {
    if (preferredSize_.width == -1) {
        Size text;
        TEXTMETRICW metrics{};
        getTextExtent(label_, &text, &metrics);
        const Insets insets = getInsets();
        preferredSize_ = {text.width + insets.left + insets.right +
                              2 * (metrics.tmAveCharWidth + GetSystemMetrics(SM_CXEDGE) +
                                   GetSystemMetrics(SM_CXBORDER)),
                          text.height + insets.top + insets.bottom +
                              2 * (metrics.tmExternalLeading + GetSystemMetrics(SM_CYEDGE) +
                                   GetSystemMetrics(SM_CYBORDER))};
    }
    return preferredSize_;
}

void Button::setLabel(const std::wstring& label) {
    if (label == label_) return;
    label_ = label;
    preferredSize_.width = -1;
    if (getHandle() == nullptr) return;
    SetWindowTextW(getHandle(), label_.c_str());
    Toolkit::getDefaultToolkit().rethrowHeldException();
}

}  // namespace awt
