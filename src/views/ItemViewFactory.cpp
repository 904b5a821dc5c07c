#include "views/ItemViewFactory.h"

#include "items/CheckItem.h"
#include "items/Inheritable.h"
#include "views/CheckItemView.h"
#include "views/ExecItemView.h"
#include "views/InheritCheckItemView.h"
#include "views/RFC1323OptsView.h"
#include "views/PriorityControlItemView.h"
#include "views/ToggleItemView.h"
#include "views/ValueItemView.h"

awt::Component* ItemViewFactory::createCheckItemView(CheckItem& item) {
    auto* inheritable = dynamic_cast<Inheritable*>(&item);
    if (inheritable != nullptr && inheritable->canInherit())
        return new InheritCheckItemView(item, *inheritable);
    return new CheckItemView(item);
}

awt::Component* ItemViewFactory::createValueItemView(ValueItem& item) {
    return new ValueItemView(item);
}

awt::Component* ItemViewFactory::createToggleItemView(ToggleItem& item) {
    return new ToggleItemView(item);
}

awt::Component* ItemViewFactory::createRFC1323OptsView(RFC1323OptsItem& item) {
    return new RFC1323OptsView(item);
}

awt::Component* ItemViewFactory::createPriorityControlItemView(PriorityControlItem& item) {
    return new PriorityControlItemView(item);
}

awt::Component* ItemViewFactory::createExecItemView(ExecItem& item) {
    return new ExecItemView(item);
}

awt::Component* ItemViewFactory::createFrozenCheckItemView(CheckItem& item) {
    auto* view = new CheckItemView(item);
    view->setEnabled(false);
    return view;
}

void installItemViews() {
    static ItemViewFactory factory;
    ViewFactory::install(&factory);
}
