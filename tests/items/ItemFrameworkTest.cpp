#include <gtest/gtest.h>

#include "ItemFixture.h"
#include "core/Exception.h"
#include "items/PropertyChangeListener.h"
#include "items/RegCheckItem.h"
#include "items/RegValueItem.h"
#include "items/SaveTarget.h"
#include "items/ViewFactory.h"
#include "registry/RegistryStorageKey.h"

namespace {

struct Recorder : PropertyChangeListener {
    void propertyChanged(const PropertyChangeEvent& event) override {
        events.emplace_back(event.getSource(), event.getPropertyName());
    }
    std::vector<std::pair<AbstractItem*, std::wstring>> events;
};

class ItemFramework : public ItemTest {
protected:
    std::unique_ptr<RegValueItem> numberItem() {
        return configured<RegValueItem>(
            {{L"value", L"n"}, {L"type", L"REG_DWORD"}, {L"default", L"5"}});
    }
};

TEST_F(ItemFramework, SettersNotifyEachRegistrationOnlyOnChange) {
    auto item = numberItem();
    Recorder first, second;
    item->addPropertyChangeListener(&first);
    item->addPropertyChangeListener(&second);
    item->addPropertyChangeListener(&first);

    item->setCurrentValue(5);  // already held
    EXPECT_TRUE(first.events.empty());
    item->setCurrentValue(6);
    ASSERT_EQ(first.events.size(), 2u);
    EXPECT_EQ(first.events[0].first, item.get());
    EXPECT_EQ(first.events[0].second, L"currentValue");
    EXPECT_EQ(second.events.size(), 1u);

    item->removePropertyChangeListener(&first);
    item->removePropertyChangeListener(&first);
    item->removePropertyChangeListener(&first);  // no longer registered: nothing
    item->setToDefault();
    EXPECT_EQ(first.events.size(), 2u);
    EXPECT_EQ(second.events.size(), 2u);

    item->setDefaultValue(5);
    item->setDefaultValue(7);
    EXPECT_EQ(second.events.back().second, L"defaultValue");
    EXPECT_EQ(second.events.size(), 3u);
    EXPECT_EQ(item->getDefaultValue(), 7);
}

TEST_F(ItemFramework, AListenerMayLeaveWhileBeingTold) {
    auto item = numberItem();
    struct Leaver : PropertyChangeListener {
        AbstractItem* item = nullptr;
        int calls = 0;
        void propertyChanged(const PropertyChangeEvent&) override {
            ++calls;
            item->removePropertyChangeListener(this);
        }
    } leaver;
    leaver.item = item.get();
    Recorder after;
    item->addPropertyChangeListener(&leaver);
    item->addPropertyChangeListener(&after);
    item->setCurrentValue(1);
    item->setCurrentValue(2);
    EXPECT_EQ(leaver.calls, 1);
    EXPECT_EQ(after.events.size(), 2u);
}

TEST_F(ItemFramework, OneObjectWhicheverInterfaceReachesIt) {
    auto item = configured<RegCheckItem>({{L"value", L"c"},
                                          {L"type", L"REG_SZ"},
                                          {L"true", L"on"},
                                          {L"false", L"off"},
                                          {L"default", L"off"}});
    CheckItem* check = item.get();
    Item* asItem = check;
    Customizer* asCustomizer = asItem;
    asCustomizer->setId(L"the-id");
    EXPECT_EQ(dynamic_cast<RegCheckItem*>(asCustomizer), item.get());
    EXPECT_EQ(dynamic_cast<CheckItem*>(asItem), check);
    EXPECT_EQ(item->getId(), L"the-id");
    EXPECT_EQ(item->getAffectTarget(), 0xFFFFFFFFu);
    EXPECT_EQ(item->getPostChanged(), 0);
    EXPECT_EQ(item->getItemGroup(), nullptr);
    EXPECT_FALSE(item->isApplied());
}

TEST_F(ItemFramework, ShortHelpJoinsKeyPathAndValueName) {
    const std::wstring key = keyPath();
    const std::vector<std::pair<std::vector<Param>, std::wstring>> cases = {
        {{{L"key", key}, {L"value", L"C"}}, key + L"\\C"},
        {{{L"key", key + L"\\"}, {L"value", L"C"}}, key + L"\\C"},
        {{{L"key", key}}, key},  // the unnamed value
    };
    for (const auto& [params, shortHelp] : cases) {
        RegValueItem item;
        std::vector<Param> all = params;
        all.push_back({L"type", L"REG_DWORD"});
        all.push_back({L"default", L"0"});
        item.configure(*paramsOf(all));
        EXPECT_EQ(item.getShortHelp(), shortHelp);
        EXPECT_EQ(item.getShortHelp(), shortHelp);  // from the cache
    }
}

TEST_F(ItemFramework, ViewsComeFromTheInstalledFactory) {
    auto number = numberItem();
    auto check = configured<RegCheckItem>({{L"value", L"c"},
                                           {L"type", L"REG_DWORD"},
                                           {L"true", L"1"},
                                           {L"false", L"0"},
                                           {L"default", L"0"}});
    EXPECT_EQ(messageOf<Exception>([&] { number->createView(); }),
              L"no item view factory is installed");

    struct Factory : ViewFactory {
        awt::Component* createCheckItemView(CheckItem& item) override {
            asked.push_back(&item);
            return reinterpret_cast<awt::Component*>(1);
        }
        awt::Component* createValueItemView(ValueItem& item) override {
            asked.push_back(&item);
            return reinterpret_cast<awt::Component*>(2);
        }
        awt::Component* createToggleItemView(ToggleItem&) override { return nullptr; }
        std::vector<Item*> asked;
    } factory;
    ViewFactory::install(&factory);
    EXPECT_EQ(check->createView(), reinterpret_cast<awt::Component*>(1));
    EXPECT_EQ(number->createView(), reinterpret_cast<awt::Component*>(2));
    ViewFactory::install(nullptr);
    EXPECT_EQ(factory.asked, (std::vector<Item*>{check.get(), number.get()}));
    EXPECT_THROW(check->createView(), Exception);
}

TEST_F(ItemFramework, StoreRecordsEveryCurrentValueWithoutTouchingTheRegistry) {
    setDWORD(L"n", 9);
    auto unchanged = numberItem();
    auto edited =
        configured<RegValueItem>({{L"value", L"s"}, {L"type", L"REG_SZ"}, {L"default", L"1"}});
    edited->setCurrentValue(-3);

    SaveTarget target(L"unused-file-name");
    unchanged->store(target);
    edited->store(target);
    const RegistryStorage::Key& entry = target.getStorage().getKey(keyPath());
    EXPECT_EQ(entry.getValueString(L"n"), L"9");
    EXPECT_EQ(entry.getValueString(L"s"), L"-3");
    EXPECT_FALSE(hasValue(L"s"));
    EXPECT_FALSE(edited->isApplied());
}

}  // namespace
