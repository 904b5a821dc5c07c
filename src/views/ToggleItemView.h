#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "awt/Checkbox.h"
#include "awt/CheckboxGroup.h"

class ToggleItem;

// A choice item as a row of radio buttons, one per choice. A click or an
// arrow key that checks a button makes its choice the item's; the view does
// not follow choices made elsewhere.
class ToggleItemView : public awt::CheckboxGroup {
public:
    class SelectionListener : public awt::ItemListener {
    public:
        SelectionListener(ToggleItemView& view, int32_t index) : view_(view), index_(index) {}
        void itemStateChanged(awt::ItemEvent& event) override;

    private:
        ToggleItemView& view_;
        int32_t index_;
    };

    explicit ToggleItemView(ToggleItem& item);

private:
    ToggleItem& item_;
    // Declared before the buttons, which hold them, so that they outlive them.
    std::vector<std::unique_ptr<SelectionListener>> listeners_;
    std::vector<std::unique_ptr<awt::Checkbox>> buttons_;
};
