#pragma once

#include <string>

#include "awt/Panel.h"

namespace awt {

// A panel drawn as a titled group box. Its insets keep the children inside
// the frame and below the title.
class BorderedPanel : public Panel {
public:
    explicit BorderedPanel(const std::wstring& title);

    const wchar_t* getClassName() override { return L"BUTTON"; }
    std::wstring getWindowText() override { return title_; }
    uint32_t getStyle() override;
    // Computed from the font on the first request, then kept.
    Insets getInsets() override;
    // Wide enough for the title too, which the native box would cut off.
    Size getPreferredSize() override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    const std::wstring& getTitle() const { return title_; }

private:
    LRESULT eraseBackground(HDC dc, WPARAM wParam, LPARAM lParam);
    LRESULT hitTest(WPARAM wParam, LPARAM lParam);

    std::wstring title_;
};

}  // namespace awt
