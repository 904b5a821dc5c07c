#pragma once

#include <string>

#include "awt/Window.h"

namespace awt {

// A top-level window with a caption, a system menu and a sizing border.
class Frame : public Window {
public:
    explicit Frame(const std::wstring& title = L"");

    // The window class "awt::Frame", registered on first use.
    const wchar_t* getClassName() override;
    std::wstring getWindowText() override { return title_; }
    uint32_t getStyle() override;

    const std::wstring& getTitle() const { return title_; }
    void setTitle(const std::wstring& title);

private:
    std::wstring title_;
};

}  // namespace awt
