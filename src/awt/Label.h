#pragma once

#include <string>

#include "awt/Component.h"

namespace awt {

// A line of static text. Ampersands are shown as they are, not as mnemonics.
class Label : public Component {
public:
    explicit Label(const std::wstring& text);

    const wchar_t* getClassName() override { return L"STATIC"; }
    std::wstring getWindowText() override { return text_; }
    uint32_t getStyle() override;
    Size getPreferredSize() override;

    const std::wstring& getText() const { return text_; }

private:
    std::wstring text_;
};

}  // namespace awt
