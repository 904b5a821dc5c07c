#include "views/PriorityControlItemView.h"

#include "awt/SharedLayouts.h"
#include "items/PriorityControlItem.h"
#include "views/ViewSupport.h"

namespace {

std::wstring lengthName(PriorityControlItem& item, size_t index) {
    return views::shownText(item.getLengthName(index));
}

std::wstring boostName(PriorityControlItem& item, size_t index) {
    return views::shownText(item.getBoostName(index));
}

}  // namespace

PriorityControlItemView::PriorityControlItemView(PriorityControlItem& item)
    : item_(item),
      lengthSetters_{LengthSetter(*this, true), LengthSetter(*this, false)},
      boostSetters_{BoostSetter(*this, 0), BoostSetter(*this, 1), BoostSetter(*this, 2)},
      lengthFrame_(views::shownText(item.getLengthTitle())),
      boostFrame_(views::shownText(item.getBoostTitle())),
      lengthBoxes_{awt::Checkbox(lengthName(item, 0), item.getLengthChoice(), &lengthGroup_),
                   awt::Checkbox(lengthName(item, 1), !item.getLengthChoice(), &lengthGroup_)},
      boostBoxes_{awt::Checkbox(boostName(item, 0), item.getBoostIndex() == 0, &boostGroup_),
                  awt::Checkbox(boostName(item, 1), item.getBoostIndex() == 1, &boostGroup_),
                  awt::Checkbox(boostName(item, 2), item.getBoostIndex() == 2, &boostGroup_)} {
    setLayout(&awt::SharedLayouts::flowLayout());
    const auto framed = [this](awt::BorderedPanel& frame, awt::CheckboxGroup& group) {
        add(&frame, &views::inRow);
        frame.setLayout(&awt::SharedLayouts::fitLayout());
        frame.add(&group, &views::inRow);
        group.setLayout(&awt::SharedLayouts::flowLayout());
    };
    framed(lengthFrame_, lengthGroup_);
    framed(boostFrame_, boostGroup_);
    for (size_t i = 0; i < lengthBoxes_.size(); ++i) {
        lengthGroup_.add(&lengthBoxes_[i], &views::inRow);
        lengthBoxes_[i].addItemListener(&lengthSetters_[i]);
    }
    for (size_t i = 0; i < boostBoxes_.size(); ++i) {
        boostGroup_.add(&boostBoxes_[i], &views::inRow);
        boostBoxes_[i].addItemListener(&boostSetters_[i]);
    }
}

// Only a checked box stands for a choice: the item must never hold one that
// the window does not show.
void PriorityControlItemView::LengthSetter::itemStateChanged(awt::ItemEvent&) {
    if (view_.lengthBoxes_[first_ ? 0 : 1].getState()) view_.item_.setLength(first_);
}

void PriorityControlItemView::BoostSetter::itemStateChanged(awt::ItemEvent&) {
    if (view_.boostBoxes_[static_cast<size_t>(index_)].getState()) view_.item_.setBoost(index_);
}
