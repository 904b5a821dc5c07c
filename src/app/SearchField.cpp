#include "app/SearchField.h"

#include <windows.h>

SearchField::SearchField(const std::wstring& caption) : caption_(caption) {
    // The caption starts where the tree's caption below it does.
    setInsets({0, GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXBORDER), 0, 0});
    setLayout(&layout_);
    add(&caption_, &awt::BorderLayout::WEST);
    add(&field_, &awt::BorderLayout::CENTER);
}

uint32_t SearchField::Caption::getStyle() { return Label::getStyle() | SS_CENTERIMAGE; }

void SearchField::addNotify() {
    awt::Panel::addNotify();
    TEXTMETRICW metrics{};
    getTextExtent(L"", nullptr, &metrics);
    layout_.setHgap(metrics.tmAveCharWidth);
}

void SearchField::focus() {
    field_.requestFocus();
    field_.selectAll();
}

bool SearchField::clear() {
    if (field_.getText().empty()) return false;
    field_.setText(L"");
    return true;
}
