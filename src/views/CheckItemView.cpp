#include "views/CheckItemView.h"

#include "items/CheckItem.h"
#include "views/ViewSupport.h"

CheckItemView::CheckItemView(CheckItem& item)
    : Checkbox(views::shownText(item.getLabel()), item.getCurrentState()), item_(item) {
    addItemListener(&checkListener_);
}

void CheckItemView::CheckListener::itemStateChanged(awt::ItemEvent&) {
    view_.item_.setCurrentState(view_.getState());
}
