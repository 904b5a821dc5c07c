#pragma once

#include <string>

#include "awt/TextComponent.h"

namespace awt {

// Several lines of text in a rich edit control, which unlike a plain edit
// control can space its lines. It takes the dialog background colour, so a
// read-only area reads as part of the window rather than as an input.
class TextArea : public TextComponent {
public:
    TextArea(const std::wstring& text, int32_t rows, int32_t columns);
    ~TextArea() override;

    const wchar_t* getClassName() override { return L"RichEdit20W"; }
    uint32_t getStyle() override;
    HWND createPeer() override;
    void removeNotify() override;
    Size getPreferredSize() override;
    // New text comes in paragraphs of the control's default format.
    void setText(const std::wstring& text) override;

    int32_t getRows() const { return rows_; }
    int32_t getColumns() const { return columns_; }
    // In twips; less than a single line's height means single spacing.
    void setLineSpacing(int32_t twips);

private:
    void applyLineSpacing(HWND window);
    void releaseLibrary();

    int32_t rows_;
    int32_t columns_;
    int32_t lineSpacing_ = 0;
    // The control's window class lives in this library, so it stays loaded
    // for as long as the peer exists.
    HINSTANCE richEdit_ = nullptr;
};

}  // namespace awt
