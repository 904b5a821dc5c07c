#include "awt/CardLayout.h"

#include <algorithm>

#include "awt/Container.h"
#include "awt/Toolkit.h"
#include "core/Exception.h"

namespace awt {

void CardLayout::addLayoutComponent(Component* component,
                                    const LayoutManager::Constraints* constraints) {
    // Constraints without a card name are refused like an empty name.
    const auto* card = dynamic_cast<const Constraints*>(constraints);
    if (card == nullptr || card->getName().empty()) {
        throw IllegalArgumentException(L"empty constraints");
    }
    cards_[card->getName()] = component;
    if (current_ == nullptr) current_ = component;
}

void CardLayout::removeLayoutComponent(Component* component) {
    std::erase_if(cards_, [component](const auto& card) { return card.second == component; });
    if (current_ == component) current_ = nullptr;
}

Size CardLayout::preferredLayoutSize(Container& parent) {
    Size largest;
    for (int i = 0; i < parent.getComponentCount(); ++i) {
        const Size p = parent.getComponent(i)->getPreferredSize();
        largest.width = std::max(largest.width, p.width);
        largest.height = std::max(largest.height, p.height);
    }
    const Insets insets = parent.getInsets();
    const Size border = parent.getBorderSize();
    return {largest.width + insets.left + insets.right + border.width,
            largest.height + insets.top + insets.bottom + border.height};
}

void CardLayout::layoutContainer(Container& parent) {
    if (current_ == nullptr) return;
    const Insets insets = parent.getInsets();
    const Size client = parent.getClientSize();
    for (int i = 0; i < parent.getComponentCount(); ++i) {
        Component* child = parent.getComponent(i);
        if (child == current_) {
            child->setBounds(insets.left, insets.top, client.width - insets.left - insets.right,
                             client.height - insets.top - insets.bottom);
        } else {
            const Size size = child->getSize();
            child->setLocation(-size.width, -size.height);
        }
    }
}

void CardLayout::show(Container& parent, const std::wstring& name) {
    const auto card = cards_.find(name);
    if (card == cards_.end()) throw IllegalArgumentException(L"invalid name: " + name);
    if (card->second == current_) return;
    current_ = card->second;
    Component* shown = current_;
    if (parent.getHandle() != nullptr && shown->getHandle() == nullptr) {
        const Insets insets = parent.getInsets();
        const Size client = parent.getClientSize();
        shown->setBounds(insets.left, insets.top, client.width - insets.left - insets.right,
                         client.height - insets.top - insets.bottom);
        // Laid out before its peers exist, every window is created in place
        // instead of being created and then moved.
        if (auto* container = dynamic_cast<Container*>(shown)) container->validateTree();
        shown->addNotify();
    }
    parent.getToolkit()->invalidate(&parent);
}

}  // namespace awt
