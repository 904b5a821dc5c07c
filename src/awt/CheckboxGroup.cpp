#include "awt/CheckboxGroup.h"

#include <windows.h>

#include <algorithm>

#include "awt/Checkbox.h"

namespace awt {

// Check boxes that outlive their group become plain members of nothing.
CheckboxGroup::~CheckboxGroup() {
    for (Checkbox* checkbox : checkboxes_) {
        checkbox->removeKeyListener(this);
        checkbox->group_ = nullptr;
    }
}

void CheckboxGroup::add(Checkbox& checkbox) {
    if (std::find(checkboxes_.begin(), checkboxes_.end(), &checkbox) != checkboxes_.end()) return;
    checkboxes_.push_back(&checkbox);
    checkbox.addKeyListener(this);
}

void CheckboxGroup::forget(Checkbox& checkbox) {
    std::erase(checkboxes_, &checkbox);
    checkbox.removeKeyListener(this);
}

void CheckboxGroup::clearOthers(const Checkbox& checked) {
    for (Checkbox* checkbox : checkboxes_) {
        if (checkbox != &checked) checkbox->setState(false);
    }
}

void CheckboxGroup::keyPressed(KeyEvent& event) {
    if (event.modifiers != 0) return;
    int step;
    switch (event.keyCode) {
        case VK_LEFT:
        case VK_UP:
            step = -1;
            break;
        case VK_RIGHT:
        case VK_DOWN:
            step = 1;
            break;
        default:
            return;
    }
    // The native button would move the check itself, and differently.
    event.consumed = true;
    const auto source = std::find(checkboxes_.begin(), checkboxes_.end(), event.source);
    if (source == checkboxes_.end()) return;
    const auto index = (source - checkboxes_.begin()) + step;
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(checkboxes_.size())) return;
    Checkbox* target = checkboxes_[index];
    (*source)->setState(false);
    target->setState(true);
    target->requestFocus();
    // As a click on it would: whoever follows the choice must hear of it.
    target->fireItemStateChanged();
}

}  // namespace awt
