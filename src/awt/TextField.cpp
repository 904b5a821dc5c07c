#include "awt/TextField.h"

#include <windows.h>

#include "awt/Toolkit.h"
#include "awt/Window.h"

namespace awt {

TextField::TextField(const std::wstring& text, int32_t columns)
    : TextComponent(text), columns_(columns) {
    addKeyListener(&selectAll_);
}

void TextField::SelectAll::keyPressed(KeyEvent& event) {
    if (event.keyCode != 'A' || event.modifiers != KeyEvent::CTRL_MASK) return;
    field_.selectAll();
    event.consumed = true;
}

void TextField::selectAll() {
    if (getHandle() != nullptr) SendMessageW(getHandle(), EM_SETSEL, 0, -1);
}

uint32_t TextField::getStyle() { return TextComponent::getStyle() | ES_AUTOHSCROLL; }

Size TextField::getPreferredSize() {
    if (preferredSize_.width == -1) {
        TEXTMETRICW metrics{};
        getTextExtent(L"", nullptr, &metrics);
        preferredSize_ = {
            columns_ * metrics.tmAveCharWidth +
                2 * (GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXBORDER)),
            metrics.tmHeight + 2 * (GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYBORDER))};
    }
    return preferredSize_;
}

void TextField::setColumns(int32_t columns) {
    if (columns == columns_) return;
    columns_ = columns;
    // The width follows the columns, so the cached size is stale too.
    preferredSize_.width = -1;
    if (Window* window = getEnclosingWindow()) getToolkit()->invalidate(window);
}

}  // namespace awt
