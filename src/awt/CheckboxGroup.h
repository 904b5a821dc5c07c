#pragma once

#include <vector>

#include "awt/Panel.h"

namespace awt {

class Checkbox;

// A panel whose check boxes act as one set of radio buttons. The arrow keys
// move the selection between them in list order, without wrapping, and
// never reach the native buttons; the newly checked box raises an item
// event, as a click on it would.
class CheckboxGroup : public Panel, public KeyListener {
public:
    CheckboxGroup() = default;
    ~CheckboxGroup() override;

    using Container::add;
    // A check box joins its group when it is made with one. This takes a
    // reference so that adding a check box to the panel as a child, which
    // takes a pointer, can never land here by mistake.
    void add(Checkbox& checkbox);

    void keyPressed(KeyEvent& event) override;
    void keyReleased(KeyEvent&) override {}
    void keyTyped(KeyEvent&) override {}

private:
    friend class Checkbox;

    void forget(Checkbox& checkbox);
    void clearOthers(const Checkbox& checked);

    std::vector<Checkbox*> checkboxes_;
};

}  // namespace awt
