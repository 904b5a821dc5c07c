#include "awt/TextComponent.h"

#include <windows.h>

#include "awt/Toolkit.h"
#include "core/Exception.h"

namespace awt {

TextComponent::TextComponent(const std::wstring& text) : text_(text) {}

uint32_t TextComponent::getStyle() {
    uint32_t style = Component::getStyle() | WS_TABSTOP;
    if (!editable_) style |= ES_READONLY;
    return style;
}

uint32_t TextComponent::getExStyle() { return Component::getExStyle() | WS_EX_CLIENTEDGE; }

LRESULT TextComponent::handleCommand(int code, WPARAM, bool& handled) {
    if (code != EN_CHANGE) return 0;
    changed_ = true;
    handled = true;
    TextEvent event(this);
    textListeners_.fire(&TextListener::textValueChanged, event);
    return 0;
}

std::wstring TextComponent::getText() {
    HWND window = getHandle();
    if (window != nullptr && changed_) {
        std::wstring buffer(GetWindowTextLengthW(window) + 1, L'\0');
        buffer.resize(GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size())));
        text_ = buffer;
        changed_ = false;
    }
    return text_;
}

void TextComponent::setText(const std::wstring& text) {
    HWND window = getHandle();
    if (window == nullptr) {
        text_ = text;
        return;
    }
    if (text == text_ && !changed_) return;
    SetWindowTextW(window, text.c_str());
    text_ = text;
    changed_ = false;
    Toolkit::getDefaultToolkit().rethrowHeldException();
}

void TextComponent::setCaretPosition(int32_t position) {
    if (getHandle() != nullptr) SendMessageW(getHandle(), EM_SETSEL, position, position);
}

void TextComponent::setEditable(bool editable) {
    editable_ = editable;
    if (getHandle() == nullptr) return;
    if (SendMessageW(getHandle(), EM_SETREADONLY, editable ? FALSE : TRUE, 0) == 0) {
        throw Exception(L"SendMessage(EM_SETREADONLY) failed");
    }
}

}  // namespace awt
