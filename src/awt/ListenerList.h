#pragma once

#include <algorithm>
#include <vector>

namespace awt {

// An ordered set of listeners that the list does not own.
template <typename Listener>
class ListenerList {
public:
    // Adding a listener that is already present changes nothing.
    void add(Listener* listener) {
        if (listener != nullptr && !contains(listener)) listeners_.push_back(listener);
    }

    void remove(Listener* listener) { std::erase(listeners_, listener); }

    bool contains(Listener* listener) const {
        return std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end();
    }

    bool empty() const { return listeners_.empty(); }

    // Calls every listener in order. Listeners may add or remove listeners
    // while the event is delivered: the walk goes over a snapshot, and skips
    // a listener that an earlier one removed, since it may be gone.
    template <typename Event>
    void fire(void (Listener::*method)(Event&), Event& event) const {
        const std::vector<Listener*> snapshot = listeners_;
        for (Listener* listener : snapshot) {
            if (contains(listener)) (listener->*method)(event);
        }
    }

private:
    std::vector<Listener*> listeners_;
};

}  // namespace awt
