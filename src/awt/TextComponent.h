#pragma once

#include <string>

#include "awt/Component.h"

namespace awt {

// The common part of the edit controls. The text is kept here and read back
// from the peer only after the user has changed it, so reading it is cheap.
class TextComponent : public virtual Component {
public:
    explicit TextComponent(const std::wstring& text);

    const wchar_t* getClassName() override { return L"EDIT"; }
    std::wstring getWindowText() override { return text_; }
    uint32_t getStyle() override;
    uint32_t getExStyle() override;
    LRESULT handleCommand(int code, WPARAM wParam, bool& handled) override;

    std::wstring getText();
    virtual void setText(const std::wstring& text);
    void setCaretPosition(int32_t position);
    bool isEditable() const { return editable_; }
    void setEditable(bool editable);
    void addTextListener(TextListener* listener) { textListeners_.add(listener); }
    void removeTextListener(TextListener* listener) { textListeners_.remove(listener); }

private:
    std::wstring text_;
    bool editable_ = true;
    // The peer's text was edited since text_ was last brought up to date.
    bool changed_ = false;
    ListenerList<TextListener> textListeners_;
};

}  // namespace awt
