#pragma once

#include "awt/Component.h"

namespace awt {

// A component that raises action events, such as a push button.
class ActionEventSource : public virtual Component {
public:
    void addActionListener(ActionListener* listener) { actionListeners_.add(listener); }
    void removeActionListener(ActionListener* listener) { actionListeners_.remove(listener); }

protected:
    void fireActionPerformed() {
        ActionEvent event(this);
        actionListeners_.fire(&ActionListener::actionPerformed, event);
    }

private:
    ListenerList<ActionListener> actionListeners_;
};

}  // namespace awt
