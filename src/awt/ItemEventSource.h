#pragma once

#include "awt/Component.h"

namespace awt {

// A component whose state or selection changes, such as a check box.
class ItemEventSource : public virtual Component {
public:
    void addItemListener(ItemListener* listener) { itemListeners_.add(listener); }
    void removeItemListener(ItemListener* listener) { itemListeners_.remove(listener); }

protected:
    void fireItemStateChanged() {
        ItemEvent event(this);
        itemListeners_.fire(&ItemListener::itemStateChanged, event);
    }

private:
    ListenerList<ItemListener> itemListeners_;
};

}  // namespace awt
