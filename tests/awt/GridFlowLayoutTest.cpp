#include "awt/GridFlowLayout.h"

#include <gtest/gtest.h>

#include "TestComponents.h"

namespace {

using awt::GridFlowLayout;
using awt_test::Bounds;
using awt_test::BoundsList;
using awt_test::Scene;

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
