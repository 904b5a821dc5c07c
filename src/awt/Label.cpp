#include "awt/Label.h"

#include <windows.h>

namespace awt {

Label::Label(const std::wstring& text) : text_(text) {}

uint32_t Label::getStyle() { return Component::getStyle() | SS_NOPREFIX | SS_NOTIFY; }

Size Label::getPreferredSize() {
    if (preferredSize_.width == -1) {
        Size text;
        TEXTMETRICW metrics{};
        getTextExtent(text_, &text, &metrics);
        const Insets insets = getInsets();
        preferredSize_ = {
            text.width + insets.left + insets.right,
            metrics.tmHeight + metrics.tmExternalLeading + insets.top + insets.bottom};
    }
    return preferredSize_;
}

}  // namespace awt
