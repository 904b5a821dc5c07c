#pragma once

#include <cstdint>
#include <memory>

#include "awt/Checkbox.h"
#include "awt/Label.h"
#include "awt/NumberField.h"
#include "awt/Panel.h"
#include "items/PropertyChangeListener.h"

class Inheritable;
class ValueItem;

// A number item as a number field, its unit, and one box: the default box,
// or the inherit box when the item can inherit. Numbers are shown divided
// by the item's scale and entered multiplied by it.
//
// The default box reads as a state: it is checked and greyed while the value
// is the default or the number the default stands for, and checking it
// returns the item to its default.
class ValueItemView : public awt::Panel {
public:
    class InheritCheckListener : public awt::ItemListener {
    public:
        explicit InheritCheckListener(ValueItemView& view) : view_(view) {}
        void itemStateChanged(awt::ItemEvent& event) override;

    private:
        ValueItemView& view_;
    };

    class DefaultCheckListener : public awt::ItemListener {
    public:
        explicit DefaultCheckListener(ValueItemView& view) : view_(view) {}
        void itemStateChanged(awt::ItemEvent& event) override;

    private:
        ValueItemView& view_;
    };

    class ItemPropertyChangeListener : public PropertyChangeListener {
    public:
        explicit ItemPropertyChangeListener(ValueItemView& view) : view_(view) {}
        void propertyChanged(const PropertyChangeEvent& event) override;

    private:
        ValueItemView& view_;
    };

    class NumberFieldListener : public awt::AdjustmentListener {
    public:
        explicit NumberFieldListener(ValueItemView& view) : view_(view) {}
        void adjustmentValueChanged(awt::AdjustmentEvent& event) override;

    private:
        ValueItemView& view_;
    };

    explicit ValueItemView(ValueItem& item);
    ~ValueItemView() override;

private:
    // Holds the view busy while it changes its own controls, so that their
    // events are not taken for the user's; released also by an exception.
    class Busy {
    public:
        explicit Busy(ValueItemView& view) : view_(view) { ++view_.busy_; }
        ~Busy() { --view_.busy_; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        ValueItemView& view_;
    };

    // The item's value as the field shows it.
    int32_t scaled(int32_t value) const;
    void showValue(int32_t value);

    ValueItem& item_;
    Inheritable* inheritable_;
    int32_t busy_ = 0;
    awt::Checkbox box_;
    awt::NumberField field_;
    std::unique_ptr<awt::Label> unit_;
    InheritCheckListener inheritListener_{*this};
    DefaultCheckListener defaultListener_{*this};
    ItemPropertyChangeListener itemListener_{*this};
    NumberFieldListener fieldListener_{*this};
};
