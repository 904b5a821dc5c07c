#include "awt/CardLayout.h"

#include <gtest/gtest.h>

#include "TestComponents.h"
#include "awt/Toolkit.h"

namespace {

using awt::CardLayout;
using awt_test::BoundsList;
using awt_test::Scene;
using awt_test::thrownMessage;

TEST(CardLayout, ShowsOneCardAndMovesTheOthersOutOfSight) {
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    CardLayout layout;
    Scene scene(layout, {100, 60}, {1, 2, 3, 4});
    const CardLayout::Constraints first(L"first"), second(L"second");
    scene.add(10, 20, &first);
    scene.add(30, 5, &second).setVisible(false);
    EXPECT_EQ(scene.layOut(), (BoundsList{{2, 1, 94, 56}, {0, 0, 0, 0}}));
    // Every card counts, hidden or not.
    EXPECT_EQ(scene.panel.getPreferredSize(), (awt::Size{36, 24}));

    toolkit.validateInvalid();
    layout.show(scene.panel, L"first");
    EXPECT_FALSE(toolkit.isInvalid(&scene.panel));
    layout.show(scene.panel, L"second");
    EXPECT_TRUE(toolkit.isInvalid(&scene.panel));
    toolkit.validateInvalid();
    EXPECT_EQ(scene.layOut(), (BoundsList{{-94, -56, 94, 56}, {2, 1, 94, 56}}));
    EXPECT_EQ(thrownMessage([&] { layout.show(scene.panel, L"third"); }), L"invalid name: third");
}

TEST(CardLayout, NamesCardsAndForgetsRemovedOnes) {
    CardLayout layout;
    Scene scene(layout, {100, 60});
    const CardLayout::Constraints empty(L""), a(L"a"), b(L"b");
    const awt::LayoutManager::Constraints plain;
    for (const auto* unnamed :
         std::initializer_list<const awt::LayoutManager::Constraints*>{&empty, &plain}) {
        EXPECT_EQ(thrownMessage([&] { scene.add(1, 1, unnamed); }), L"empty constraints");
    }
    scene.add(1, 1, &a);
    scene.add(1, 1, &b);
    // A later card under the same name takes it over.
    scene.add(1, 1, &b);
    layout.show(scene.panel, L"b");
    EXPECT_EQ(scene.layOut()[4], (awt_test::Bounds{0, 0, 100, 60}));

    // Without the current card there is none until the next one comes.
    scene.panel.remove(scene.boxes[4].get());
    EXPECT_EQ(thrownMessage([&] { layout.show(scene.panel, L"b"); }), L"invalid name: b");
    EXPECT_EQ(scene.layOut()[2], (awt_test::Bounds{0, 0, 0, 0}));
    scene.add(1, 1, &b);
    EXPECT_EQ(scene.layOut()[5], (awt_test::Bounds{0, 0, 100, 60}));
}

}  // namespace
