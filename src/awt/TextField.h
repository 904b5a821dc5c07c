#pragma once

#include <string>

#include "awt/TextComponent.h"

namespace awt {

// A single line of editable text, as wide as a number of average characters.
class TextField : public TextComponent {
public:
    TextField(const std::wstring& text, int32_t columns);

    uint32_t getStyle() override;
    Size getPreferredSize() override;

    int32_t getColumns() const { return columns_; }
    // Selects the whole text.
    void selectAll();
    void setColumns(int32_t columns);

private:
    // Ctrl+A selects the whole text, as the fields of newer common controls
    // do; the edit control of user32, which velmora uses, ignores it.
    class SelectAll : public KeyListener {
    public:
        explicit SelectAll(TextField& field) : field_(field) {}
        void keyPressed(KeyEvent& event) override;
        void keyReleased(KeyEvent&) override {}
        void keyTyped(KeyEvent&) override {}

    private:
        TextField& field_;
    };

    int32_t columns_;
    SelectAll selectAll_{*this};
};

}  // namespace awt
