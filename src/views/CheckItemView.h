#pragma once

#include "awt/Checkbox.h"

class CheckItem;

// An on/off item as one check box. It writes each click into the item but
// does not follow the item: a state changed elsewhere is not shown.
class CheckItemView : public awt::Checkbox {
public:
    class CheckListener : public awt::ItemListener {
    public:
        explicit CheckListener(CheckItemView& view) : view_(view) {}
        void itemStateChanged(awt::ItemEvent& event) override;

    private:
        CheckItemView& view_;
    };

    explicit CheckItemView(CheckItem& item);

private:
    CheckItem& item_;
    CheckListener checkListener_{*this};
};
