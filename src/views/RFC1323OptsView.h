#pragma once

#include "awt/Checkbox.h"
#include "awt/Panel.h"

class RFC1323OptsItem;

// The two option boxes of an RFC1323OptsItem, side by side. Each box sets
// only its own bit.
class RFC1323OptsView : public awt::Panel {
public:
    class WindowScalingListener : public awt::ItemListener {
    public:
        explicit WindowScalingListener(RFC1323OptsView& view) : view_(view) {}
        void itemStateChanged(awt::ItemEvent& event) override;

    private:
        RFC1323OptsView& view_;
    };

    class TimestampingListener : public awt::ItemListener {
    public:
        explicit TimestampingListener(RFC1323OptsView& view) : view_(view) {}
        void itemStateChanged(awt::ItemEvent& event) override;

    private:
        RFC1323OptsView& view_;
    };

    explicit RFC1323OptsView(RFC1323OptsItem& item);

private:
    RFC1323OptsItem& item_;
    awt::Checkbox windowScalingBox_;
    awt::Checkbox timestampingBox_;
    WindowScalingListener windowScalingListener_{*this};
    TimestampingListener timestampingListener_{*this};
};
