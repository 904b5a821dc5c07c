#pragma once

#include <string>

#include "awt/ActionEventSource.h"

namespace awt {

// A push button; a click raises an action event.
class Button : public virtual ActionEventSource {
public:
    explicit Button(const std::wstring& label);

    const wchar_t* getClassName() override { return L"BUTTON"; }
    std::wstring getWindowText() override { return label_; }
    uint32_t getStyle() override;
    LRESULT handleCommand(int code, WPARAM wParam, bool& handled) override;
    Size getPreferredSize() override;

    const std::wstring& getLabel() const { return label_; }
    void setLabel(const std::wstring& label);

private:
    std::wstring label_;
};

}  // namespace awt
