#include "awt/FocusTraversal.h"

#include "awt/Container.h"

namespace awt {

void FocusTraversal::traverse(Component* from, bool forward) {
    const int step = forward ? 1 : -1;
    for (Component* current = from; Container* parent = current->getParent(); current = parent) {
        int index = 0;
        while (index < parent->getComponentCount() && parent->getComponent(index) != current) {
            ++index;
        }
        for (int i = index + step; i >= 0 && i < parent->getComponentCount(); i += step) {
            if (Component* target = findTarget(parent->getComponent(i), forward)) {
                target->requestFocus();
                return;
            }
        }
    }
}

// A container is never the target itself, only what it holds.
Component* FocusTraversal::findTarget(Component* component, bool forward) {
    if (auto* container = dynamic_cast<Container*>(component)) {
        const int count = container->getComponentCount();
        for (int j = 0; j < count; ++j) {
            const int i = forward ? j : count - 1 - j;
            if (Component* target = findTarget(container->getComponent(i), forward)) return target;
        }
        return nullptr;
    }
    const bool qualifies =
        component->isFocusTraversable() && component->isShowing() && component->isEnabled();
    return qualifies ? component : nullptr;
}

}  // namespace awt
