#pragma once

namespace awt {
class Component;
}
class CheckItem;
class ValueItem;
class ToggleItem;
class RFC1323OptsItem;
class PriorityControlItem;
class ExecItem;

// Creates the view of each kind of item. The views library installs the one
// implementation, so that items know nothing of the window toolkit and their
// tests run without it.
class ViewFactory {
public:
    virtual ~ViewFactory() = default;

    virtual awt::Component* createCheckItemView(CheckItem& item) = 0;
    virtual awt::Component* createValueItemView(ValueItem& item) = 0;
    virtual awt::Component* createToggleItemView(ToggleItem& item) = 0;
    virtual awt::Component* createRFC1323OptsView(RFC1323OptsItem& item) = 0;
    virtual awt::Component* createPriorityControlItemView(PriorityControlItem& item) = 0;
    virtual awt::Component* createExecItemView(ExecItem& item) = 0;
    // A check box that cannot be changed: for an item with nothing to go
    // back to.
    virtual awt::Component* createFrozenCheckItemView(CheckItem& item) = 0;

    // Not owned; null uninstalls.
    static void install(ViewFactory* factory);
    // Throws Exception "no item view factory is installed" before install.
    static ViewFactory& installed();
};
