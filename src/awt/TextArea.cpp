#include "awt/TextArea.h"

#include <windows.h>
// After windows.h, which it relies on.
#include <richedit.h>

#include "awt/Toolkit.h"
#include "core/Exception.h"
#include "core/Platform.h"
#include "core/StringUtil.h"

namespace awt {

TextArea::TextArea(const std::wstring& text, int32_t rows, int32_t columns)
    : TextComponent(text), rows_(rows), columns_(columns) {}

// The peer must go before its library: Component's destructor would destroy
// it only after the library had been unloaded.
TextArea::~TextArea() {
    try {
        removeNotify();
    } catch (...) {
    }
    releaseLibrary();
}

uint32_t TextArea::getStyle() {
    return TextComponent::getStyle() | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
}

HWND TextArea::createPeer() {
    if (richEdit_ == nullptr) richEdit_ = loadSystemLibrary(L"riched20.dll");
    HWND window = TextComponent::createPeer();
    SendMessageW(window, EM_SETBKGNDCOLOR, 0, GetSysColor(COLOR_BTNFACE));
    try {
        applyLineSpacing(window);
    } catch (...) {
        DestroyWindow(window);
        throw;
    }
    return window;
}

void TextArea::removeNotify() {
    TextComponent::removeNotify();
    releaseLibrary();
}

void TextArea::releaseLibrary() {
    if (richEdit_ == nullptr || getHandle() != nullptr) return;
    FreeLibrary(richEdit_);
    richEdit_ = nullptr;
}

void TextArea::setText(const std::wstring& text) {
    TextComponent::setText(text);
    if (getHandle() != nullptr) applyLineSpacing(getHandle());
}

void TextArea::setLineSpacing(int32_t twips) {
    lineSpacing_ = twips;
    if (getHandle() != nullptr) applyLineSpacing(getHandle());
}

// A paragraph format applies to the selected paragraphs only; all of them
// are selected for it, and the user's selection is put back afterwards.
void TextArea::applyLineSpacing(HWND window) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    SendMessageW(window, EM_SETSEL, 0, -1);
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    format.dwMask = PFM_LINESPACING;
    format.bLineSpacingRule = 3;
    format.dyLineSpacing = lineSpacing_;
    const LRESULT applied =
        SendMessageW(window, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    SendMessageW(window, EM_SETSEL, start, end);
    if (applied == 0) throw Exception(L"SendMessage(EM_SETPARAFORMAT) failed");
}

// Measured with the default GUI font whatever the control reports: a rich
// edit control keeps its font as a character format, not as a window font.
Size TextArea::getPreferredSize() {
    if (preferredSize_.width == -1) {
        WindowDC dc(getHandle());
        ObjectSelection font(dc.get(), Toolkit::getGuiFont());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.get(), &metrics);
        preferredSize_ = {GetSystemMetrics(SM_CXVSCROLL) + columns_ * metrics.tmAveCharWidth +
                              2 * (GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXBORDER)),
                          rows_ * metrics.tmHeight +
                              2 * (GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYBORDER))};
    }
    return preferredSize_;
}

}  // namespace awt
