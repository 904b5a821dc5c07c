#include "awt/BorderLayout.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>

#include "TestComponents.h"
#include "awt/CardLayout.h"

namespace {

using awt::BorderLayout;
using awt_test::BoundsList;
using awt_test::Scene;

TEST(BorderLayout, PlacesNorthAndSouthThenEastBeforeWestThenCenter) {
    BorderLayout layout;
    layout.setHgap(3);
    layout.setVgap(2);
    Scene scene(layout, {200, 100}, {5, 6, 7, 8});
    scene.add(15, 30, &BorderLayout::WEST);
    scene.add(30, 30, &BorderLayout::CENTER);
    scene.add(20, 30, &BorderLayout::EAST);
    scene.add(40, 12, &BorderLayout::SOUTH);
    scene.add(50, 10, &BorderLayout::NORTH);
    EXPECT_EQ(scene.layOut(), (BoundsList{{6, 17, 15, 62},
                                          {24, 17, 145, 62},
                                          {172, 17, 20, 62},
                                          {6, 81, 186, 12},
                                          {6, 5, 186, 10}}));
    // A hidden region keeps its bounds and gives its room to the others.
    scene.boxes[4]->setVisible(false);
    scene.boxes[2]->setVisible(false);
    EXPECT_EQ(scene.layOut(), (BoundsList{{6, 5, 15, 74},
                                          {24, 5, 168, 74},
                                          {172, 17, 20, 62},
                                          {6, 81, 186, 12},
                                          {6, 5, 186, 10}}));
}

TEST(BorderLayout, PreferredSizeHasOneGapBetweenRegionsThatTakeRoom) {
    // A letter per child: N 50x10, S 40x12, E 20x30, W 15x25, C 30x35, and
    // lower case for a hidden one. Gaps 3 and 2, insets 1, 2, 3, 4.
    const std::pair<std::string, awt::Size> cases[] = {
        {"", {6, 4}},     {"C", {36, 39}},     {"EW", {44, 34}}, {"EWC", {77, 39}},
        {"NC", {56, 51}}, {"NSEWC", {77, 65}}, {"NS", {56, 28}}, {"EwC", {59, 39}},
    };
    const std::pair<const awt::LayoutManager::Constraints*, awt::Size> regions[] = {
        {&BorderLayout::NORTH, {50, 10}},
        {&BorderLayout::SOUTH, {40, 12}},
        {&BorderLayout::EAST, {20, 30}},
        {&BorderLayout::WEST, {15, 25}},
        {&BorderLayout::CENTER, {30, 35}}};
    for (const auto& [letters, expected] : cases) {
        BorderLayout layout;
        layout.setHgap(3);
        layout.setVgap(2);
        Scene scene(layout, {}, {1, 2, 3, 4});
        for (const char letter : letters) {
            const auto& [where, size] = regions[std::string("NSEWC").find(std::toupper(letter))];
            scene.add(size.width, size.height, where).setVisible(std::isupper(letter));
        }
        EXPECT_EQ(scene.panel.getPreferredSize(), expected) << letters;
    }
}

TEST(BorderLayout, TakesOnlyRegionsAndForgetsAChildThatLeaves) {
    BorderLayout layout;
    Scene scene(layout, {100, 50});
    const awt::CardLayout::Constraints card(L"north");
    EXPECT_EQ(awt_test::thrownMessage([&] { scene.add(1, 1); }), L"constraints");
    EXPECT_EQ(awt_test::thrownMessage([&] { scene.add(1, 1, &card); }), L"constraints");
    // Refused children are appended all the same.
    EXPECT_EQ(scene.panel.getComponentCount(), 2);

    scene.add(10, 10, &BorderLayout::NORTH);
    scene.add(10, 20, &BorderLayout::NORTH);
    scene.add(5, 5, &BorderLayout::CENTER);
    EXPECT_EQ(
        scene.layOut(),
        (BoundsList{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 100, 20}, {0, 20, 100, 30}}));
    // Destroying the child in the north frees the region.
    scene.boxes.erase(scene.boxes.begin() + 3);
    EXPECT_EQ(scene.layOut()[3], (awt_test::Bounds{0, 0, 100, 50}));
}

}  // namespace
