#include <gtest/gtest.h>

#include "TestComponents.h"
#include "awt/FlowLayout.h"
#include "awt/GridFlowLayout.h"
#include "awt/GridLayout.h"
#include "awt/SharedLayouts.h"
#include "core/Exception.h"

// The layouts without state of their own: null, fit, flow and grid.
namespace {

using awt::FlowLayout;
using awt_test::BoundsList;
using awt_test::Scene;

TEST(NullAndFitLayout, LeaveChildrenAloneOrFitTheOnlyOneAtItsPreferredSize) {
    awt::Panel panel;
    EXPECT_EQ(panel.getLayout(), &awt::SharedLayouts::nullLayout());
    panel.setLayout(nullptr);
    EXPECT_EQ(panel.getLayout(), &awt::SharedLayouts::nullLayout());
    EXPECT_EQ(panel.getPreferredSize(), (awt::Size{0, 0}));

    Scene scene(awt::SharedLayouts::fitLayout(), {500, 300}, {1, 2, 3, 4});
    EXPECT_EQ(scene.panel.getPreferredSize(), (awt::Size{6, 4}));
    // Hidden or not, and however large the container.
    scene.add(40, 12).setVisible(false);
    EXPECT_EQ(scene.panel.getPreferredSize(), (awt::Size{46, 16}));
    EXPECT_EQ(scene.layOut(), (BoundsList{{2, 1, 40, 12}}));
    scene.add(1, 1);
    EXPECT_EQ(awt_test::thrownMessage([&] { scene.panel.validate(); }),
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

    for (const auto& make : {+[] { awt::GridLayout(0, 0); }, +[] { awt::GridFlowLayout(0, 0); }}) {
        EXPECT_EQ(awt_test::thrownMessage(make), L"both of rows and cols specified 0");
    }
}

}  // namespace
