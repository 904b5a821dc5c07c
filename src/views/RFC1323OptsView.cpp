#include "views/RFC1323OptsView.h"

#include "awt/SharedLayouts.h"
#include "items/RFC1323OptsItem.h"
#include "views/ViewSupport.h"

RFC1323OptsView::RFC1323OptsView(RFC1323OptsItem& item)
    : item_(item),
      windowScalingBox_(item.getWindowScalingLabel(),
                        (item.getCurrentValue() & RFC1323OptsItem::WINDOW_SCALING) != 0),
      timestampingBox_(item.getTimestampingLabel(),
                       (item.getCurrentValue() & RFC1323OptsItem::TIMESTAMPING) != 0) {
    setLayout(&awt::SharedLayouts::gridFlowLayout());
    add(&windowScalingBox_, &views::inRow);
    add(&timestampingBox_, &views::inRow);
    windowScalingBox_.addItemListener(&windowScalingListener_);
    timestampingBox_.addItemListener(&timestampingListener_);
}

void RFC1323OptsView::WindowScalingListener::itemStateChanged(awt::ItemEvent&) {
    view_.item_.setOption(RFC1323OptsItem::WINDOW_SCALING, view_.windowScalingBox_.getState());
}

void RFC1323OptsView::TimestampingListener::itemStateChanged(awt::ItemEvent&) {
    view_.item_.setOption(RFC1323OptsItem::TIMESTAMPING, view_.timestampingBox_.getState());
}
