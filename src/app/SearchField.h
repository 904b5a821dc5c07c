#pragma once

#include <string>

#include "awt/BorderLayout.h"
#include "awt/Label.h"
#include "awt/Panel.h"
#include "awt/TextField.h"

// The search row above the category tree: a caption and the field whose text
// narrows what the window shows. The field takes the width the row is given.
class SearchField : public awt::Panel {
public:
    explicit SearchField(const std::wstring& caption);

    // The gap between caption and field follows the font, as the window's
    // own gaps do.
    void addNotify() override;

    awt::TextField& getField() { return field_; }
    std::wstring getText() { return field_.getText(); }
    bool isField(const awt::Component* component) const { return component == &field_; }
    // Empties the field; false when it was empty already.
    bool clear();
    // Gives the field the focus with its text selected, so that what is
    // typed next replaces the last search.
    void focus();

private:
    // A static control draws its text at the top; beside the taller field it
    // must sit on the field's line.
    class Caption : public awt::Label {
    public:
        using Label::Label;
        uint32_t getStyle() override;
    };

    // Declared before the controls it places, so that it outlives them.
    awt::BorderLayout layout_;
    Caption caption_;
    awt::TextField field_{L"", 8};
};
