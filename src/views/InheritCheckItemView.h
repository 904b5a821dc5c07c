#pragma once

#include "awt/Checkbox.h"
#include "awt/Panel.h"
#include "items/PropertyChangeListener.h"

class CheckItem;
class Inheritable;

// An on/off item that may inherit its state: the state box, then the box
// that makes it inherit. The state box is greyed while the item inherits,
// and follows the item's state wherever it is changed.
class InheritCheckItemView : public awt::Panel {
public:
    class InheritCheckboxListener : public awt::ItemListener {
    public:
        explicit InheritCheckboxListener(InheritCheckItemView& view) : view_(view) {}
        void itemStateChanged(awt::ItemEvent& event) override;

    private:
        InheritCheckItemView& view_;
    };

    class CheckboxListener : public awt::ItemListener {
    public:
        explicit CheckboxListener(InheritCheckItemView& view) : view_(view) {}
        void itemStateChanged(awt::ItemEvent& event) override;

    private:
        InheritCheckItemView& view_;
    };

    class ItemPropertyChangeListener : public PropertyChangeListener {
    public:
        explicit ItemPropertyChangeListener(InheritCheckItemView& view) : view_(view) {}
        void propertyChanged(const PropertyChangeEvent& event) override;

    private:
        InheritCheckItemView& view_;
    };

    // The item is the inheritable seen as a check item.
    InheritCheckItemView(CheckItem& item, Inheritable& inheritable);
    ~InheritCheckItemView() override;

private:
    CheckItem& item_;
    Inheritable& inheritable_;
    awt::Checkbox inheritBox_;
    awt::Checkbox stateBox_;
    InheritCheckboxListener inheritListener_{*this};
    CheckboxListener stateListener_{*this};
    ItemPropertyChangeListener itemListener_{*this};
};
