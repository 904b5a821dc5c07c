#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestComponents.h"
#include "awt/ActionEventSource.h"
#include "awt/ItemEventSource.h"
#include "awt/MemFun.h"
#include "awt/NumberField.h"
#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"
#include "core/StringUtil.h"

// The component tree, its geometry, the layout queue, the listeners and a
// number field's steps, without peers: key events go straight to the
// component's own listeners.
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

    // A new layout too waits for the peer.
    second.setLayout(&awt::SharedLayouts::fitLayout());
    EXPECT_FALSE(toolkit.isInvalid(&second));

    // Queued once however often asked, validated in order, and forgotten
    // when destroyed while waiting.
    auto gone = std::make_unique<Counted>(order);
    for (awt::Component* c : std::vector<awt::Component*>{&second, gone.get(), &first, &second}) {
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

TEST(Events, ReachEachListenerOnceInOrderButNotOneRemovedMeanwhile) {
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

    // A listener that removes the next one and itself while it is called.
    struct Remover : awt::ActionListener {
        void actionPerformed(awt::ActionEvent&) override {
            ++calls;
            source->removeActionListener(next);
            source->removeActionListener(this);
        }
        Source* source = nullptr;
        awt::ActionListener* next = nullptr;
        int calls = 0;
    } first, second;
    Source other;
    first.source = second.source = &other;
    first.next = &second;
    other.addActionListener(&first);
    other.addActionListener(&second);
    other.fireActionPerformed();
    other.fireActionPerformed();
    EXPECT_EQ(std::pair(first.calls, second.calls), std::pair(1, 0));
}

struct Adjustments : awt::AdjustmentListener {
    void adjustmentValueChanged(awt::AdjustmentEvent& e) override { ids.push_back(e.id); }
    std::vector<int32_t> ids;
};

constexpr int32_t SHIFT = awt::KeyEvent::SHIFT_MASK, CTRL = awt::KeyEvent::CTRL_MASK;

TEST(NumberField, ArrowKeysStepSnapToTheUnitAndStayInBounds) {
    struct Case {
        int32_t unit, minimum, maximum, value, key, modifiers;
        int32_t expected;  // value afterwards
        int32_t id;        // of the one event, or -1 for none
    };
    const Case cases[] = {
        {5, -50, 102, 7, VK_DOWN, SHIFT, 0, 4},  // block 10: -3 snaps toward zero
        {5, -50, 102, 7, VK_UP, 0, 10, 1},
        {5, -50, 102, -7, VK_DOWN, 0, -10, 2},
        {5, -13, 102, 7, VK_DOWN, CTRL | SHIFT, -13, 0},
        {5, 0, 102, 100, VK_UP, SHIFT, 102, 3},  // 110 limited to the maximum
        {1, 0, 100, 0, VK_DOWN, 0, 0, -1},
        {1, INT_MIN, INT_MAX, INT_MAX, VK_UP, 0, INT_MAX, -1},  // no wrap-around
        {1, INT_MIN, INT_MAX, INT_MIN, VK_DOWN, SHIFT, INT_MIN, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "value " << c.value << ", key " << c.key << "+" << c.modifiers);
        awt::NumberField field(c.value);
        field.setUnitIncrement(c.unit);
        field.setMinimum(c.minimum);
        field.setMaximum(c.maximum);
        Adjustments log;
        field.addAdjustmentListener(&log);
        awt::KeyEvent key(&field, awt::KeyEvent::KEY_PRESSED, c.key, c.modifiers);
        field.processKeyEvent(key);
        EXPECT_TRUE(key.consumed);
        EXPECT_EQ(field.getValue(), c.expected);
        EXPECT_EQ(field.getText(), toString(c.expected));
        EXPECT_EQ(log.ids, c.id < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.id});
    }
}

}  // namespace
