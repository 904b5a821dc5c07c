#pragma once

#include "items/ViewFactory.h"

// The views that items create: a check box, or a check box that can
// inherit, for check items; a number field for number items; radio buttons
// for choice items; two sets of radio buttons for the scheduling item; a
// row of buttons for a launcher. Each view is new and owned by the caller.
class ItemViewFactory : public ViewFactory {
public:
    awt::Component* createCheckItemView(CheckItem& item) override;
    awt::Component* createValueItemView(ValueItem& item) override;
    awt::Component* createToggleItemView(ToggleItem& item) override;
    awt::Component* createRFC1323OptsView(RFC1323OptsItem& item) override;
    awt::Component* createPriorityControlItemView(PriorityControlItem& item) override;
    awt::Component* createExecItemView(ExecItem& item) override;
    awt::Component* createFrozenCheckItemView(CheckItem& item) override;
};

// Installs one factory for the life of the process; start-up calls it before
// any item is asked for its view.
void installItemViews();
