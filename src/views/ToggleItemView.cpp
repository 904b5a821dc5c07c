#include "views/ToggleItemView.h"

#include "awt/SharedLayouts.h"
#include "items/ToggleItem.h"
#include "views/ViewSupport.h"

ToggleItemView::ToggleItemView(ToggleItem& item) : item_(item) {
    setLayout(&awt::SharedLayouts::flowLayout());
    const int32_t count = item.getChoiceCount();
    const int32_t current = item.getCurrentIndex();
    for (int32_t i = 0; i < count; ++i) {
        buttons_.push_back(std::make_unique<awt::Checkbox>(views::shownText(item.getChoiceName(i)),
                                                           i == current, this));
        add(buttons_.back().get(), &views::inRow);
        listeners_.push_back(std::make_unique<SelectionListener>(*this, i));
        buttons_.back()->addItemListener(listeners_.back().get());
    }
}

// Only a checked button stands for a choice: the item must never hold one
// that the window does not show.
void ToggleItemView::SelectionListener::itemStateChanged(awt::ItemEvent&) {
    if (view_.buttons_[index_]->getState()) view_.item_.setCurrentIndex(index_);
}
