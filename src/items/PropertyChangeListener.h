#pragma once

#include "items/PropertyChangeEvent.h"

// Observes an item; called synchronously inside the setter that changed it.
class PropertyChangeListener {
public:
    virtual ~PropertyChangeListener() = default;
    virtual void propertyChanged(const PropertyChangeEvent& event) = 0;
};
