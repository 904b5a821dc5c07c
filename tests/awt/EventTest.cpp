#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "awt/ActionEventSource.h"
#include "awt/AdjustmentEventSource.h"
#include "awt/ItemEventSource.h"
#include "awt/MemFun.h"

namespace {

// A control in miniature that raises all three kinds of event.
struct Source : awt::ActionEventSource, awt::ItemEventSource, awt::AdjustmentEventSource {
    const wchar_t* getClassName() override { return L"BUTTON"; }
    awt::Size getPreferredSize() override { return {}; }
    using awt::ActionEventSource::fireActionPerformed;
    using awt::AdjustmentEventSource::fireAdjustmentValueChanged;
    using awt::ItemEventSource::fireItemStateChanged;
};

struct Target : awt::AdjustmentListener {
    void onAction() { log.push_back(name + " action"); }
    void onItem(awt::ItemEvent&) { log.push_back(name + " item"); }
    void adjustmentValueChanged(awt::AdjustmentEvent& e) override {
        log.push_back(name + " " + std::to_string(e.id) + " " + std::to_string(e.value));
        source = e.source;
    }
    std::string name;
    std::vector<std::string>& log;
    awt::Component* source = nullptr;
    Target(std::string targetName, std::vector<std::string>& sharedLog)
        : name(std::move(targetName)), log(sharedLog) {}
};

TEST(Events, ReachEachListenerOnceInOrderThroughTheMemberFunctionAdapters) {
    std::vector<std::string> log;
    Source source;
    Target a("a", log), b("b", log);
    awt::action_mem_fun<Target> aAction(&a, &Target::onAction), bAction(&b, &Target::onAction);
    awt::item_mem_fun<Target> aItem(&a, &Target::onItem), bItem(&b, &Target::onAction);
    source.addActionListener(&bAction);
    source.addActionListener(&aAction);
    source.addActionListener(&bAction);
    source.addItemListener(&aItem);
    source.addItemListener(&bItem);
    source.addAdjustmentListener(&a);
    source.fireActionPerformed();
    source.fireItemStateChanged();
    source.fireAdjustmentValueChanged(3, -7);
    source.removeActionListener(&bAction);
    source.fireActionPerformed();
    EXPECT_EQ(log, (std::vector<std::string>{"b action", "a action", "a item", "b action", "a 3 -7",
                                             "a action"}));
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
