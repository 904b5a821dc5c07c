#include "awt/Container.h"

#include <windows.h>

#include <algorithm>

#include "awt/NullLayout.h"
#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"

namespace awt {

namespace {

Component* firstTabStop(const Container& container) {
    for (int i = 0; i < container.getComponentCount(); ++i) {
        Component* child = container.getComponent(i);
        if (child->isFocusTraversable() && child->isEnabled()) return child;
        if (auto* inner = dynamic_cast<Container*>(child)) {
            if (Component* found = firstTabStop(*inner)) return found;
        }
    }
    return nullptr;
}

}  // namespace

Container::Container() : layout_(&SharedLayouts::nullLayout()) {}

Container::~Container() {
    // The children outlive their container: they leave the tree without
    // their peers, which could not exist without this container's.
    for (Component* child : children_) {
        try {
            child->removeNotify();
        } catch (...) {
            child->releasePeer(true);
        }
        child->parent_ = nullptr;
        child->toolkit_ = nullptr;
    }
}

void Container::add(Component* component, const LayoutManager::Constraints* constraints) {
    if (component->parent_ != nullptr) component->parent_->remove(component);
    children_.push_back(component);
    component->parent_ = this;
    component->toolkit_ = nullptr;
    layout_->addLayoutComponent(component, constraints);
    if (getHandle() != nullptr && !layout_->defersPeer(*component)) component->addNotify();
    ContainerEvent event(this, ContainerEvent::COMPONENT_ADDED, component);
    containerListeners_.fire(&ContainerListener::componentAdded, event);
}

void Container::remove(Component* component) {
    if (std::find(children_.begin(), children_.end(), component) == children_.end()) return;
    component->removeNotify();
    std::erase(children_, component);
    component->parent_ = nullptr;
    component->toolkit_ = nullptr;
    layout_->removeLayoutComponent(component);
    ContainerEvent event(this, ContainerEvent::COMPONENT_REMOVED, component);
    containerListeners_.fire(&ContainerListener::componentRemoved, event);
}

void Container::setLayout(LayoutManager* layout) {
    layout_ = layout != nullptr ? layout : &SharedLayouts::nullLayout();
    // Without a peer there is nothing to place yet: the layout runs when the
    // peer comes and gets its size. Queued regardless, the hundreds of
    // containers of pages never shown would all be laid out at start.
    if (getHandle() != nullptr) getToolkit()->invalidate(this);
}

uint32_t Container::getStyle() { return Component::getStyle() | WS_CLIPCHILDREN | WS_GROUP; }

// Controls notify their parent window; the parent hands each notification to
// the child's own component, which raises its own events.
LRESULT Container::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    LRESULT result = 0;
    switch (message) {
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (Component* child = fromHandle(header->hwndFrom)) {
                result = child->handleNotify(static_cast<int>(header->code), header, handled);
            }
            break;
        }
        case WM_COMMAND:
            if (Component* child = fromHandle(reinterpret_cast<HWND>(lParam))) {
                result = child->handleCommand(HIWORD(wParam), wParam, handled);
            }
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            if (Component* child = fromHandle(reinterpret_cast<HWND>(lParam))) {
                result =
                    child->controlColor(*this, message, reinterpret_cast<HDC>(wParam), handled);
            }
            break;
    }
    if (handled) return result;
    return Component::handleMessage(message, wParam, lParam);
}

Size Container::getPreferredSize() { return layout_->preferredLayoutSize(*this); }

void Container::validate() { layout_->layoutContainer(*this); }

int32_t Container::countNativeWindows() const {
    int32_t count = Component::countNativeWindows();
    for (const Component* child : children_) count += child->countNativeWindows();
    return count;
}

void Container::validateTree() {
    validate();
    for (Component* child : children_) {
        if (auto* container = dynamic_cast<Container*>(child)) container->validateTree();
    }
}

void Container::requestFocus() {
    if (isFocusTraversable()) {
        Component::requestFocus();
    } else if (Component* target = firstTabStop(*this)) {
        target->requestFocus();
    }
}

void Container::addNotify() {
    Component::addNotify();
    for (Component* child : std::vector<Component*>(children_)) {
        if (!layout_->defersPeer(*child)) child->addNotify();
    }
}

void Container::removeNotify() {
    for (Component* child : std::vector<Component*>(children_)) child->removeNotify();
    Component::removeNotify();
}

void Container::repaint(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (getHandle() == nullptr || !isVisible()) return;
    Component::repaint(x, y, width, height);
    const RECT area{x, y, x + width, y + height};
    for (Component* child : children_) {
        const Point at = child->getLocation();
        const Size size = child->getSize();
        const RECT bounds{at.x, at.y, at.x + size.width, at.y + size.height};
        RECT overlap;
        if (IntersectRect(&overlap, &area, &bounds)) {
            child->repaint(overlap.left - at.x, overlap.top - at.y, overlap.right - overlap.left,
                           overlap.bottom - overlap.top);
        }
    }
}

}  // namespace awt
