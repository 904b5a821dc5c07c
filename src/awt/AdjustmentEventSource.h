#pragma once

#include <cstdint>

#include "awt/Component.h"

namespace awt {

// A component with a numeric value that changes in steps.
class AdjustmentEventSource : public virtual Component {
public:
    void addAdjustmentListener(AdjustmentListener* listener) { adjustmentListeners_.add(listener); }
    void removeAdjustmentListener(AdjustmentListener* listener) {
        adjustmentListeners_.remove(listener);
    }

protected:
    void fireAdjustmentValueChanged(int32_t id, int32_t value) {
        AdjustmentEvent event(this, id, value);
        adjustmentListeners_.fire(&AdjustmentListener::adjustmentValueChanged, event);
    }

private:
    ListenerList<AdjustmentListener> adjustmentListeners_;
};

}  // namespace awt
