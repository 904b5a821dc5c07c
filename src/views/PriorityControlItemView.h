#pragma once

#include <array>
#include <cstdint>

#include "awt/BorderedPanel.h"
#include "awt/Checkbox.h"
#include "awt/CheckboxGroup.h"
#include "awt/Panel.h"

class PriorityControlItem;

// The scheduling word as two framed sets of radio buttons: the length of
// the time slices, and the boost of the foreground program. A choice is
// written into the item at once; the view does not follow changes made
// elsewhere.
class PriorityControlItemView : public awt::Panel {
public:
    class LengthSetter : public awt::ItemListener {
    public:
        LengthSetter(PriorityControlItemView& view, bool first) : view_(view), first_(first) {}
        void itemStateChanged(awt::ItemEvent& event) override;

    private:
        PriorityControlItemView& view_;
        bool first_;
    };

    class BoostSetter : public awt::ItemListener {
    public:
        BoostSetter(PriorityControlItemView& view, int32_t index) : view_(view), index_(index) {}
        void itemStateChanged(awt::ItemEvent& event) override;

    private:
        PriorityControlItemView& view_;
        int32_t index_;
    };

    explicit PriorityControlItemView(PriorityControlItem& item);

private:
    PriorityControlItem& item_;
    // Declared before the boxes, which hold them, so that they outlive them.
    std::array<LengthSetter, 2> lengthSetters_;
    std::array<BoostSetter, 3> boostSetters_;
    awt::BorderedPanel lengthFrame_, boostFrame_;
    awt::CheckboxGroup lengthGroup_, boostGroup_;
    std::array<awt::Checkbox, 2> lengthBoxes_;
    std::array<awt::Checkbox, 3> boostBoxes_;
};
