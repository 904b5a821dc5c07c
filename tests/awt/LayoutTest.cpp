#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>

#include "../core/MessageOf.h"
#include "TestComponents.h"
#include "awt/BorderLayout.h"
#include "awt/CardLayout.h"
#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"
#include "core/Exception.h"

namespace {

using awt::BorderLayout;
using awt::CardLayout;
using awt::FlowLayout;
using awt::GridFlowLayout;
using namespace awt_test;

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
    const CardLayout::Constraints card(L"north");
    EXPECT_EQ(messageOf<Exception>([&] { scene.add(1, 1); }), L"constraints");
    EXPECT_EQ(messageOf<Exception>([&] { scene.add(1, 1, &card); }), L"constraints");
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
    EXPECT_EQ(scene.layOut()[3], (Bounds{0, 0, 100, 50}));
}

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
    EXPECT_EQ(messageOf<Exception>([&] { layout.show(scene.panel, L"third"); }),
              L"invalid name: third");
}

TEST(CardLayout, NamesCardsAndForgetsRemovedOnes) {
    CardLayout layout;
    Scene scene(layout, {100, 60});
    const CardLayout::Constraints empty(L""), a(L"a"), b(L"b");
    const awt::LayoutManager::Constraints plain;
    EXPECT_EQ(messageOf<Exception>([&] { scene.add(1, 1, &empty); }), L"empty constraints");
    EXPECT_EQ(messageOf<Exception>([&] { scene.add(1, 1, &plain); }), L"empty constraints");
    scene.add(1, 1, &a);
    scene.add(1, 1, &b);
    // A later card under the same name takes it over.
    scene.add(1, 1, &b);
    layout.show(scene.panel, L"b");
    EXPECT_EQ(scene.layOut()[4], (Bounds{0, 0, 100, 60}));
    // Without the current card there is none until the next one comes.
    scene.panel.remove(scene.boxes[4].get());
    EXPECT_EQ(messageOf<Exception>([&] { layout.show(scene.panel, L"b"); }), L"invalid name: b");
    EXPECT_EQ(scene.layOut()[2], (Bounds{0, 0, 0, 0}));
    scene.add(1, 1, &b);
    EXPECT_EQ(scene.layOut()[5], (Bounds{0, 0, 100, 60}));
}

TEST(NullAndFitLayout, LeaveChildrenAloneOrFitTheOnlyOneAtItsPreferredSize) {
    awt::Panel panel;
    panel.setLayout(nullptr);
    EXPECT_EQ(panel.getLayout(), &awt::SharedLayouts::nullLayout());

    Scene scene(awt::SharedLayouts::fitLayout(), {500, 300}, {1, 2, 3, 4});
    EXPECT_EQ(scene.panel.getPreferredSize(), (awt::Size{6, 4}));
    // Hidden or not, and however large the container.
    scene.add(40, 12).setVisible(false);
    EXPECT_EQ(scene.panel.getPreferredSize(), (awt::Size{46, 16}));
    EXPECT_EQ(scene.layOut(), (BoundsList{{2, 1, 40, 12}}));
    scene.add(1, 1);
    EXPECT_EQ(messageOf<Exception>([&] { scene.panel.validate(); }),
              L"FitLayout for single child container");
}

TEST(FlowLayout, AlignsOneRowOfVisibleChildrenCentredVertically) {
    struct Case {
        int32_t alignment, width;
        BoundsList expected;
    };
    // Insets 2, 3, 4, 5; children 10x5, hidden 30x30 and 20x10 with a gap of
    // 4 make a row 34 wide, centred in 14 pixels of height.
    const Case cases[] = {
        {FlowLayout::LEFT, 100, {{3, 6, 10, 5}, {0, 0, 0, 0}, {17, 4, 20, 10}}},
        {FlowLayout::RIGHT, 100, {{61, 6, 10, 5}, {0, 0, 0, 0}, {75, 4, 20, 10}}},
        {FlowLayout::CENTER, 101, {{32, 6, 10, 5}, {0, 0, 0, 0}, {46, 4, 20, 10}}},
        // Too narrow: the row starts at the left inset and runs off.
        {FlowLayout::RIGHT, 30, {{3, 6, 10, 5}, {0, 0, 0, 0}, {17, 4, 20, 10}}},
    };
    for (const Case& c : cases) {
        FlowLayout layout(c.alignment);
        layout.setHgap(4);
        Scene scene(layout, {c.width, 20}, {2, 3, 4, 5});
        scene.add(10, 5);
        scene.add(30, 30).setVisible(false);
        scene.add(20, 10);
        EXPECT_EQ(scene.layOut(), c.expected) << c.alignment << " in " << c.width;
        EXPECT_EQ(scene.panel.getPreferredSize(), (awt::Size{34 + 8, 10 + 6}));
    }
    // A leftover of 5 puts a child 2 pixels down; a taller child goes up.
    Scene scene(awt::SharedLayouts::flowLayout(), {100, 15});
    scene.add(10, 10);
    scene.add(5, 30);
    EXPECT_EQ(scene.layOut(), (BoundsList{{0, 2, 10, 10}, {10, -7, 5, 30}}));
}

TEST(GridLayout, CellsShareTheSpaceExactlyRowByRow) {
    awt::GridLayout layout(0, 2);
    Scene scene(layout, {101, 61});
    scene.add(10, 5);
    scene.add(20, 8);
    scene.add(15, 12);
    // 101 pixels in two columns: 50 and 51; the fourth cell stays empty.
    EXPECT_EQ(scene.layOut(), (BoundsList{{0, 0, 50, 30}, {50, 0, 51, 30}, {0, 30, 50, 31}}));

    layout.setHgap(3);
    layout.setVgap(2);
    scene.panel.setInsets({1, 2, 3, 4});
    scene.panel.setSize(107, 70);
    scene.boxes[1]->setVisible(false);
    EXPECT_EQ(scene.layOut(), (BoundsList{{2, 1, 49, 32}, {50, 0, 51, 30}, {2, 35, 49, 32}}));
    // The largest visible child in every cell, with the gaps and insets.
    EXPECT_EQ(scene.panel.getPreferredSize(), (awt::Size{15 * 2 + 3 + 6, 12 * 2 + 2 + 4}));
    // No children, no rows, and no gap between rows either.
    scene.boxes.clear();
    EXPECT_EQ(scene.panel.getPreferredSize(), (awt::Size{3 + 6, 4}));

    for (const auto& make : {+[] { awt::GridLayout(0, 0); }, +[] { GridFlowLayout(0, 0); }}) {
        EXPECT_EQ(messageOf<Exception>(make), L"both of rows and cols specified 0");
    }
}

constexpr int32_t FILL = GridFlowLayout::FILL, LEFT = GridFlowLayout::LEFT,
                  RIGHT = GridFlowLayout::RIGHT, TOP = GridFlowLayout::TOP,
                  BOTTOM = GridFlowLayout::BOTTOM, CENTER = GridFlowLayout::CENTER;

// A layout aligned as given: the grid across, down, then each child.
GridFlowLayout& align(GridFlowLayout& layout, int32_t across, int32_t down, int32_t cellAcross,
                      int32_t cellDown) {
    layout.setHorizontalAlignment(across);
    layout.setVerticalAlignment(down);
    layout.setCellHorizontalAlignment(cellAcross);
    layout.setCellVerticalAlignment(cellDown);
    return layout;
}

TEST(GridFlowLayout, ColumnsAndRowsSizeToTheirContents) {
    GridFlowLayout layout(0, 2);
    align(layout, LEFT, TOP, LEFT, TOP).setHgap(3);
    layout.setVgap(2);
    Scene scene(layout, {100, 80}, {1, 2, 3, 4});
    // Five children in two columns: three rows, the last with one cell.
    for (const auto& [w, h] : {std::pair{10, 5}, {20, 8}, {15, 12}, {5, 6}, {8, 3}}) {
        scene.add(w, h);
    }
    EXPECT_EQ(scene.panel.getPreferredSize(), (awt::Size{15 + 3 + 20 + 6, 8 + 2 + 12 + 2 + 3 + 4}));
    EXPECT_EQ(scene.layOut(),
              (BoundsList{
                  {2, 1, 10, 5}, {20, 1, 20, 8}, {2, 11, 15, 12}, {20, 11, 5, 6}, {2, 25, 8, 3}}));

    // A hidden cell keeps the columns after it in line with the other rows;
    // children beyond the grid's cells are left alone.
    GridFlowLayout three(2, 3);
    align(three, LEFT, TOP, LEFT, TOP).setHgap(4);
    Scene grid(three, {100, 100});
    for (int i = 0; i < 7; ++i) grid.add(10, 5);
    grid.boxes[4]->setVisible(false);
    EXPECT_EQ(grid.layOut()[5], (Bounds{28, 5, 10, 5}));
    EXPECT_EQ(grid.layOut()[6], (Bounds{0, 0, 0, 0}));
}

TEST(GridFlowLayout, AlignsTheGridAndEachChildInItsCell) {
    struct Case {
        int32_t across, down, cellAcross, cellDown;
        Bounds expected;
    };
    // A 10x6 child in a 30x20 cell (made so by its neighbours) of a 34x24
    // grid, inside insets 1, 2, 3, 4 of a 50x40 area.
    const Case cases[] = {
        {LEFT, TOP, FILL, FILL, {2, 1, 30, 20}},
        {RIGHT, BOTTOM, LEFT, TOP, {12, 13, 10, 6}},
        {CENTER, CENTER, RIGHT, BOTTOM, {27, 21, 10, 6}},
        {LEFT, TOP, CENTER, CENTER, {12, 8, 10, 6}},
    };
    for (const Case& c : cases) {
        GridFlowLayout layout(0, 2);
        Scene scene(align(layout, c.across, c.down, c.cellAcross, c.cellDown), {50, 40},
                    {1, 2, 3, 4});
        scene.add(10, 6);
        scene.add(4, 20);
        scene.add(30, 4);
        EXPECT_EQ(scene.layOut()[0], c.expected) << c.across << " " << c.down;
    }
}

TEST(GridFlowLayout, FillGivesLeftoverPixelsToTheFirstLengthsThatTakeRoom) {
    GridFlowLayout layout(1, 3);
    align(layout, FILL, TOP, FILL, FILL).setHgap(2);
    Scene scene(layout, {101, 50});
    scene.add(10, 5);
    scene.add(20, 5);
    scene.add(30, 5);
    // 97 pixels for 60 wanted: 16.2, 32.3 and 48.5; one pixel left over.
    EXPECT_EQ(scene.layOut(), (BoundsList{{0, 0, 17, 5}, {19, 0, 32, 5}, {53, 0, 48, 5}}));
    scene.panel.setSize(34, 50);
    EXPECT_EQ(scene.layOut(), (BoundsList{{0, 0, 5, 5}, {7, 0, 10, 5}, {19, 0, 15, 5}}));

    // 29 pixels for three rows of 10 and a hidden one: the two left over go
    // to rows that take room, and the last row ends at the bottom.
    GridFlowLayout column(0, 1);
    align(column, LEFT, FILL, LEFT, FILL).setVgap(3);
    Scene rows(column, {20, 35});
    for (int i = 0; i < 4; ++i) rows.add(5, 10);
    rows.boxes[1]->setVisible(false);
    EXPECT_EQ(rows.layOut(),
              (BoundsList{{0, 0, 5, 10}, {0, 0, 0, 0}, {0, 13, 5, 10}, {0, 26, 5, 9}}));
}

}  // namespace
