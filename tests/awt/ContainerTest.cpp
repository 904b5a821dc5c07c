#include "awt/Container.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TestComponents.h"
#include "awt/FitLayout.h"
#include "awt/Panel.h"
#include "awt/Toolkit.h"

// The component tree and its geometry before any native window exists.
namespace {

using awt_test::Bounds;
using awt_test::boundsOf;
using awt_test::Box;

struct ContainerLog : awt::ContainerListener {
    void componentAdded(awt::ContainerEvent& e) override { events.push_back({e.id, e.child}); }
    void componentRemoved(awt::ContainerEvent& e) override { events.push_back({e.id, e.child}); }

    struct Entry {
        int32_t id;
        awt::Component* child;
        bool operator==(const Entry&) const = default;
    };
    std::vector<Entry> events;
};

TEST(Container, KeepsChildrenInOrderAndReportsEachChange) {
    awt::Panel panel;
    ContainerLog log;
    panel.addContainerListener(&log);
    Box a(1, 1), b(1, 1), c(1, 1);
    panel.add(&a);
    panel.add(&b);
    panel.add(&c);
    panel.remove(&b);
    Box stranger(1, 1);
    panel.remove(&stranger);

    ASSERT_EQ(panel.getComponentCount(), 2);
    EXPECT_EQ(panel.getComponent(0), &a);
    EXPECT_EQ(panel.getComponent(1), &c);
    EXPECT_EQ(a.getParent(), &panel);
    EXPECT_EQ(b.getParent(), nullptr);
    using Entry = ContainerLog::Entry;
    EXPECT_EQ(log.events, (std::vector<Entry>{{1, &a}, {1, &b}, {1, &c}, {-1, &b}}));

    // A child moves: it leaves its first container before joining another.
    awt::Panel other;
    other.add(&a);
    EXPECT_EQ(a.getParent(), &other);
    EXPECT_EQ(panel.getComponentCount(), 1);
    EXPECT_EQ(log.events.back(), (Entry{-1, &a}));
}

TEST(Container, ChildrenAndContainersMayBeDestroyedInEitherOrder) {
    auto panel = std::make_unique<awt::Panel>();
    auto first = std::make_unique<Box>(1, 1);
    Box second(1, 1);
    panel->add(first.get());
    panel->add(&second);
    first.reset();
    ASSERT_EQ(panel->getComponentCount(), 1);
    EXPECT_EQ(panel->getComponent(0), &second);

    panel.reset();
    EXPECT_EQ(second.getParent(), nullptr);
}

TEST(Container, GeometryWithoutPeersIsStoredOnlyAndQueuesNoLayout) {
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    awt::Panel panel;
    toolkit.validateInvalid();
    Box box(1, 1);
    panel.add(&box);

    box.setBounds(1, 2, 30, 40);
    box.setSize(31, 41);
    box.setLocation(3, 4);
    EXPECT_EQ(boundsOf(box), (Bounds{3, 4, 31, 41}));
    EXPECT_EQ(box.getClientSize(), (awt::Size{31, 41}));
    EXPECT_EQ(box.getBorderSize(), (awt::Size{0, 0}));
    box.setVisible(false);
    EXPECT_FALSE(box.isVisible());
    EXPECT_FALSE(toolkit.isInvalid(&box));
    EXPECT_FALSE(toolkit.isInvalid(&panel));

    // Changing the layout asks for one, whatever the peers.
    awt::FitLayout fit;
    panel.setLayout(&fit);
    EXPECT_TRUE(toolkit.isInvalid(&panel));
    toolkit.validateInvalid();
    EXPECT_FALSE(toolkit.isInvalid(&panel));
}

// Validating in queue order, each component once however often it asked.
TEST(Toolkit, LayoutQueueCoalescesAndForgetsComponentsThatAreGone) {
    struct Counted : awt::Panel {
        explicit Counted(std::vector<Counted*>& order) : order_(order) {}
        void validate() override { order_.push_back(this); }
        std::vector<Counted*>& order_;
    };
    std::vector<Counted*> order;
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    Counted first(order), second(order);
    auto gone = std::make_unique<Counted>(order);
    toolkit.invalidate(&second);
    toolkit.invalidate(gone.get());
    toolkit.invalidate(&first);
    toolkit.invalidate(&second);
    gone.reset();
    toolkit.validateInvalid();
    EXPECT_EQ(order, (std::vector<Counted*>{&second, &first}));
}

TEST(Component, InsetsResetTheCachedPreferredWidth) {
    struct Cached : Box {
        using Box::Box;
        awt::Size cached() const { return preferredSize_; }
        void cache(awt::Size size) { preferredSize_ = size; }
    };
    Cached box(1, 1);
    EXPECT_EQ(box.cached(), (awt::Size{-1, -1}));
    box.cache({10, 20});
    box.setInsets({1, 2, 3, 4});
    EXPECT_EQ(box.cached(), (awt::Size{-1, 20}));
    EXPECT_EQ(box.getInsets(), (awt::Insets{1, 2, 3, 4}));
}

}  // namespace
