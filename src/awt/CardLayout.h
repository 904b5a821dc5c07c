#pragma once

#include <map>
#include <string>

#include "awt/LayoutManager.h"

namespace awt {

// Children as named cards of which one fills the container. The others are
// moved out of sight, never hidden, so their visibility stays theirs to set.
// Holds its cards, so it serves one container only.
class CardLayout : public LayoutManager {
public:
    class Constraints : public LayoutManager::Constraints {
    public:
        explicit Constraints(const std::wstring& name) : name_(name) {}
        const std::wstring& getName() const { return name_; }

    private:
        std::wstring name_;
    };

    // The first card becomes the current one; a card added under a name in
    // use replaces the earlier card in the map.
    void addLayoutComponent(Component* component,
                            const LayoutManager::Constraints* constraints) override;
    // Removing the current card leaves none current until the next add.
    void removeLayoutComponent(Component* component) override;
    Size preferredLayoutSize(Container& parent) override;
    void layoutContainer(Container& parent) override;
    // Only the current card has peers; the others get theirs when first
    // shown, so that a window of many cards starts with the windows of one.
    bool defersPeer(const Component& child) const override { return &child != current_; }

    // Makes the named card current and queues the container for layout. A
    // card shown for the first time in a realized container is laid out and
    // realized at once, its peers created where they belong.
    void show(Container& parent, const std::wstring& name);

private:
    std::map<std::wstring, Component*> cards_;
    Component* current_ = nullptr;
};

}  // namespace awt
