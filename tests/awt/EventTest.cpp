#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestComponents.h"
#include "awt/ActionEventSource.h"
#include "awt/AdjustmentEventSource.h"
#include "awt/ItemEventSource.h"
#include "awt/ListenerList.h"
#include "awt/MemFun.h"

namespace {

// A control in miniature that raises all three kinds of event.
class Source : public awt::ActionEventSource,
               public awt::ItemEventSource,
               public awt::AdjustmentEventSource {
public:
    const wchar_t* getClassName() override { return L"BUTTON"; }
    awt::Size getPreferredSize() override { return {}; }

    using awt::ActionEventSource::fireActionPerformed;
    using awt::AdjustmentEventSource::fireAdjustmentValueChanged;
    using awt::ItemEventSource::fireItemStateChanged;
};

struct Recorder : awt::ActionListener, awt::ItemListener, awt::AdjustmentListener {
    Recorder(std::string recorderName, std::vector<std::string>& recorderLog)
        : name(std::move(recorderName)), log(recorderLog) {}

    void actionPerformed(awt::ActionEvent& e) override { record("action", e); }
    void itemStateChanged(awt::ItemEvent& e) override { record("item", e); }
    void adjustmentValueChanged(awt::AdjustmentEvent& e) override {
        record("adjustment " + std::to_string(e.id) + " " + std::to_string(e.value), e);
    }
    void record(const std::string& what, awt::Event& e) {
        log.push_back(name + " " + what);
        source = e.source;
        EXPECT_FALSE(e.consumed);
    }

    std::string name;
    std::vector<std::string>& log;
    awt::Component* source = nullptr;
};

TEST(EventSource, CallsEachListenerOnceInTheOrderAdded) {
    std::vector<std::string> log;
    Source source;
    Recorder a("a", log), b("b", log);
    source.addActionListener(&b);
    source.addActionListener(&a);
    source.addActionListener(&b);
    source.addItemListener(&a);
    source.addAdjustmentListener(&b);
    source.fireActionPerformed();
    source.fireItemStateChanged();
    source.fireAdjustmentValueChanged(3, -7);
    source.removeActionListener(&b);
    source.fireActionPerformed();
    EXPECT_EQ(log, (std::vector<std::string>{"b action", "a action", "a item", "b adjustment 3 -7",
                                             "a action"}));
    EXPECT_EQ(a.source, static_cast<awt::Component*>(&source));
}

TEST(ListenerList, AListenerRemovedDuringDeliveryIsNotCalled) {
    struct Remover : awt::ActionListener {
        awt::ListenerList<awt::ActionListener>* list = nullptr;
        awt::ActionListener* victim = nullptr;
        int calls = 0;
        void actionPerformed(awt::ActionEvent&) override {
            ++calls;
            list->remove(victim);
            list->remove(this);
        }
    };
    awt::ListenerList<awt::ActionListener> list;
    Remover first, second;
    first.list = second.list = &list;
    first.victim = &second;
    list.add(&first);
    list.add(&second);
    awt::ActionEvent event(nullptr);
    list.fire(&awt::ActionListener::actionPerformed, event);
    EXPECT_EQ(first.calls, 1);
    EXPECT_EQ(second.calls, 0);
    EXPECT_TRUE(list.empty());
}

TEST(MemFun, ForwardsToTheMemberFunctionWithOrWithoutTheEvent) {
    struct Target {
        void plain() { calls.push_back("plain"); }
        void onItem(awt::ItemEvent& e) {
            calls.push_back("item");
            e.consumed = true;
        }
        std::vector<std::string> calls;
    };
    Target target;
    awt::action_mem_fun<Target> action(&target, &Target::plain);
    awt::item_mem_fun<Target> item(&target, &Target::onItem);
    awt::item_mem_fun<Target> plainItem(&target, &Target::plain);

    awt::ActionEvent actionEvent(nullptr);
    static_cast<awt::ActionListener&>(action).actionPerformed(actionEvent);
    awt::ItemEvent itemEvent(nullptr);
    static_cast<awt::ItemListener&>(item).itemStateChanged(itemEvent);
    static_cast<awt::ItemListener&>(plainItem).itemStateChanged(itemEvent);
    EXPECT_EQ(target.calls, (std::vector<std::string>{"plain", "item", "plain"}));
    EXPECT_TRUE(itemEvent.consumed);
}

}  // namespace
