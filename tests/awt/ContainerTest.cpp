#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestComponents.h"
#include "awt/ActionEventSource.h"
#include "awt/ItemEventSource.h"
#include "awt/MemFun.h"
#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"

// The component tree, its geometry, the layout queue and the listeners,
// without peers.
namespace {

using awt_test::Box;

struct ContainerLog : awt::ContainerListener {
    void componentAdded(awt::ContainerEvent& e) override { log.emplace_back(e.id, e.child); }
    void componentRemoved(awt::ContainerEvent& e) override { log.emplace_back(e.id, e.child); }
    std::vector<std::pair<int32_t, awt::Component*>> log;
};

TEST(Container, KeepsChildrenInOrderReportsChangesAndSurvivesEitherDestructionOrder) {
    auto panel = std::make_unique<awt::Panel>();
    ContainerLog events;
    panel->addContainerListener(&events);
    auto a = std::make_unique<Box>(1, 1);
    Box b(1, 1), c(1, 1);
    awt::Component* gone = a.get();
    for (Box* child : {a.get(), &b, &c}) panel->add(child);
    panel->remove(&b);
    panel->remove(&b);
    a.reset();
    ASSERT_EQ(panel->getComponentCount(), 1);
    EXPECT_EQ(panel->getComponent(0), &c);
    EXPECT_EQ(b.getParent(), nullptr);
    EXPECT_EQ(events.log,
              (decltype(events.log){{1, gone}, {1, &b}, {1, &c}, {-1, &b}, {-1, gone}}));
    // A child moves: it leaves its first container before joining another.
    awt::Panel other;
    other.add(&c);
    EXPECT_EQ(panel->getComponentCount(), 0);
    panel->add(&b);
    panel.reset();
    EXPECT_EQ(b.getParent(), nullptr);
}

TEST(Container, GeometryWithoutPeersIsOnlyStoredAndTheQueueCoalesces) {
    struct Counted : awt::Panel {
        explicit Counted(std::vector<Counted*>& order) : order_(order) {}
        void validate() override { order_.push_back(this); }
        std::vector<Counted*>& order_;
    };
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    std::vector<Counted*> order;
    Counted first(order), second(order);
    Box box(1, 1);
    first.add(&box);
    toolkit.validateInvalid();
    box.setBounds(1, 2, 30, 40);
    box.setSize(31, 41);
    box.setLocation(3, 4);
    box.setVisible(false);
    EXPECT_EQ(awt_test::boundsOf(box), (awt_test::Bounds{3, 4, 31, 41}));
    EXPECT_EQ(box.getClientSize(), (awt::Size{31, 41}));
    EXPECT_FALSE(toolkit.isInvalid(&box) || toolkit.isInvalid(&first));

    // Queued once however often asked, validated in order, and forgotten
    // when destroyed while waiting.
    auto gone = std::make_unique<Counted>(order);
    second.setLayout(&awt::SharedLayouts::fitLayout());
    for (awt::Component* c : std::vector<awt::Component*>{gone.get(), &first, &second}) {
        toolkit.invalidate(c);
    }
    gone.reset();
    toolkit.validateInvalid();
    EXPECT_EQ(order, (std::vector<Counted*>{&second, &first}));
}

struct Source : awt::ActionEventSource, awt::ItemEventSource {
    const wchar_t* getClassName() override { return L"BUTTON"; }
    awt::Size getPreferredSize() override { return {}; }
    using awt::ActionEventSource::fireActionPerformed;
    using awt::ItemEventSource::fireItemStateChanged;
};

TEST(Events, ReachEachListenerOnceInOrderThroughTheMemberFunctionAdapters) {
    struct Target {
        void onAction() { log->push_back(name + " action"); }
        void onItem(awt::ItemEvent& e) { log->push_back(name + " item"), source = e.source; }
        std::string name;
        std::vector<std::string>* log;
        awt::Component* source = nullptr;
    };
    std::vector<std::string> log;
    Source source;
    Target a{"a", &log}, b{"b", &log};
    awt::action_mem_fun<Target> aAction(&a, &Target::onAction), bAction(&b, &Target::onAction);
    awt::item_mem_fun<Target> aItem(&a, &Target::onItem), bItem(&b, &Target::onAction);
    for (auto* listener : {&bAction, &aAction, &bAction}) source.addActionListener(listener);
    source.addItemListener(&aItem);
    source.addItemListener(&bItem);
    source.fireActionPerformed();
    source.fireItemStateChanged();
    source.removeActionListener(&bAction);
    source.fireActionPerformed();
    EXPECT_EQ(log,
              (std::vector<std::string>{"b action", "a action", "a item", "b action", "a action"}));
    EXPECT_EQ(a.source, static_cast<awt::Component*>(&source));
}

TEST(Events, AListenerRemovedWhileAnEventIsDeliveredIsNotCalled) {
    struct Remover : awt::ActionListener {
        void actionPerformed(awt::ActionEvent&) override {
            ++calls;
            source->removeActionListener(next);
            source->removeActionListener(this);
        }
        Source* source = nullptr;
        awt::ActionListener* next = nullptr;
        int calls = 0;
    };
    Source source;
    Remover first, second;
    first.source = second.source = &source;
    first.next = &second;
    source.addActionListener(&first);
    source.addActionListener(&second);
    source.fireActionPerformed();
    source.fireActionPerformed();
    EXPECT_EQ(std::pair(first.calls, second.calls), std::pair(1, 0));
}

}  // namespace
