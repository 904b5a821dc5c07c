#include "views/InheritCheckItemView.h"

#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"
#include "items/CheckItem.h"
#include "items/Inheritable.h"
#include "items/PropertyChangeEvent.h"
#include "views/ViewSupport.h"

InheritCheckItemView::InheritCheckItemView(CheckItem& item, Inheritable& inheritable)
    : item_(item),
      inheritable_(inheritable),
      inheritBox_(awt::Toolkit::getDefaultToolkit().loadString(views::INHERIT_BOX_STRING),
                  inheritable.isInherited()),
      stateBox_(views::shownText(item.getLabel()), item.getCurrentState()) {
    stateBox_.setEnabled(!inheritBox_.getState());
    setLayout(&awt::SharedLayouts::flowLayout());
    add(&stateBox_, &views::inRow);
    add(&inheritBox_, &views::inRow);
    inheritBox_.addItemListener(&inheritListener_);
    stateBox_.addItemListener(&stateListener_);
    item_.addPropertyChangeListener(&itemListener_);
}

// Items outlive the window; a view that goes first must not be called.
InheritCheckItemView::~InheritCheckItemView() {
    item_.removePropertyChangeListener(&itemListener_);
}

void InheritCheckItemView::InheritCheckboxListener::itemStateChanged(awt::ItemEvent&) {
    const bool inherited = view_.inheritBox_.getState();
    view_.inheritable_.setInherited(inherited);
    view_.stateBox_.setEnabled(!inherited);
}

void InheritCheckItemView::CheckboxListener::itemStateChanged(awt::ItemEvent&) {
    view_.item_.setCurrentState(view_.stateBox_.getState());
}

// setState raises no item event, so showing the item's state never writes it
// back.
void InheritCheckItemView::ItemPropertyChangeListener::propertyChanged(
    const PropertyChangeEvent& event) {
    if (event.getPropertyName() != PropertyChangeEvent::CURRENT_VALUE) return;
    view_.stateBox_.setState(view_.item_.getCurrentState());
}
