#include "items/AbstractItem.h"

#include <algorithm>

#include "items/PropertyChangeListener.h"

void AbstractItem::addPropertyChangeListener(PropertyChangeListener* listener) {
    listeners_.push_back(listener);
}

void AbstractItem::removePropertyChangeListener(PropertyChangeListener* listener) {
    const auto found = std::find(listeners_.begin(), listeners_.end(), listener);
    if (found != listeners_.end()) listeners_.erase(found);
}

void AbstractItem::firePropertyChange(const std::wstring& propertyName) {
    const PropertyChangeEvent event(this, propertyName);
    // A copy, so that a listener that removes itself (or adds another) while
    // being told does not disturb the walk over the others.
    const std::vector<PropertyChangeListener*> listeners = listeners_;
    for (PropertyChangeListener* listener : listeners) listener->propertyChanged(event);
}
