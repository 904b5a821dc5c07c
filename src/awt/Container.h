#pragma once

#include <vector>

#include "awt/Component.h"
#include "awt/LayoutManager.h"

namespace awt {

// A component holding child components, which it places through its layout
// manager. It does not own its children or its layout: whoever creates them
// keeps them alive for as long as the container uses them.
class Container : public virtual Component {
public:
    Container();
    ~Container() override;

    // Appends the child; constraints go to the layout, which may refuse them
    // by throwing, after the child has been appended. A child of another
    // container is taken out of that one first.
    virtual void add(Component* component, const LayoutManager::Constraints* constraints = nullptr);
    virtual void remove(Component* component);
    virtual void setLayout(LayoutManager* layout);

    uint32_t getStyle() override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    Size getPreferredSize() override;
    void validate() override;
    int32_t countNativeWindows() const override;
    // Lays out this container and every container below it, parents first.
    void validateTree();
    void requestFocus() override;
    void addNotify() override;
    void removeNotify() override;
    void repaint(int32_t x, int32_t y, int32_t width, int32_t height) override;

    int getComponentCount() const { return static_cast<int>(children_.size()); }
    Component* getComponent(int index) const { return children_.at(index); }
    LayoutManager* getLayout() const { return layout_; }
    void addContainerListener(ContainerListener* listener) { containerListeners_.add(listener); }
    void removeContainerListener(ContainerListener* listener) {
        containerListeners_.remove(listener);
    }

private:
    std::vector<Component*> children_;
    LayoutManager* layout_;
    ListenerList<ContainerListener> containerListeners_;
};

}  // namespace awt
