#pragma once

#include "awt/Listeners.h"

namespace awt {
class Component;
}

// Follows every component of a tree: a subclass hears attach once for each
// component that is in the tree or joins it later, at any depth, and detach
// for each one that leaves it. It must outlive the containers it listens to.
class RecursiveListener : public virtual awt::ContainerListener {
public:
    virtual void attach(awt::Component& component) = 0;
    virtual void detach(awt::Component& component) = 0;

    // Follows the tree below root from now on; a tree followed before is
    // left first, so that nothing is attached twice.
    void setRoot(awt::Component* root);

    void componentAdded(awt::ContainerEvent& event) override;
    void componentRemoved(awt::ContainerEvent& event) override;

private:
    // Attaches, or detaches, the component and everything below it.
    void follow(awt::Component& component, bool joined);

    awt::Component* root_ = nullptr;
};
