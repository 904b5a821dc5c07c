#include "views/RecursiveListener.h"

#include "awt/Container.h"

void RecursiveListener::setRoot(awt::Component* root) {
    if (root_ != nullptr) detachTree(*root_);
    root_ = root;
    if (root_ != nullptr) attachTree(*root_);
}

void RecursiveListener::componentAdded(awt::ContainerEvent& event) { attachTree(*event.child); }

void RecursiveListener::componentRemoved(awt::ContainerEvent& event) { detachTree(*event.child); }

void RecursiveListener::attachTree(awt::Component& component) {
    attach(component);
    auto* container = dynamic_cast<awt::Container*>(&component);
    if (container == nullptr) return;
    container->addContainerListener(this);
    for (int i = 0; i < container->getComponentCount(); ++i)
        attachTree(*container->getComponent(i));
}

void RecursiveListener::detachTree(awt::Component& component) {
    detach(component);
    auto* container = dynamic_cast<awt::Container*>(&component);
    if (container == nullptr) return;
    container->removeContainerListener(this);
    for (int i = 0; i < container->getComponentCount(); ++i)
        detachTree(*container->getComponent(i));
}
