#include "views/RecursiveListener.h"

#include "awt/Container.h"

void RecursiveListener::setRoot(awt::Component* root) {
    if (root_ != nullptr) follow(*root_, false);
    root_ = root;
    if (root_ != nullptr) follow(*root_, true);
}

void RecursiveListener::componentAdded(awt::ContainerEvent& event) { follow(*event.child, true); }

void RecursiveListener::componentRemoved(awt::ContainerEvent& event) {
    follow(*event.child, false);
}

void RecursiveListener::follow(awt::Component& component, bool joined) {
    joined ? attach(component) : detach(component);
    auto* container = dynamic_cast<awt::Container*>(&component);
    if (container == nullptr) return;
    if (joined) {
        container->addContainerListener(this);
    } else {
        container->removeContainerListener(this);
    }
    for (int i = 0; i < container->getComponentCount(); ++i)
        follow(*container->getComponent(i), joined);
}
