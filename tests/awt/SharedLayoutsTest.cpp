#include "awt/SharedLayouts.h"

#include <gtest/gtest.h>

#include "TestComponents.h"
#include "awt/FlowLayout.h"
#include "awt/GridFlowLayout.h"
#include "awt/GridLayout.h"
#include "awt/Panel.h"

namespace {

using awt::SharedLayouts;
using awt_test::Bounds;
using awt_test::boundsOf;
using awt_test::Box;

// The three layouts of start-up, seen through what they do with two
// children, 10x4 and 20x8, in a 100x30 panel.
TEST(SharedLayouts, StartUpCreatesARowAColumnAndALabelledGrid) {
    SharedLayouts::create();
    struct Case {
        awt::LayoutManager* layout;
        Bounds first;
        Bounds second;
    };
    const Case cases[] = {
        // One left-aligned row, centred vertically.
        {&SharedLayouts::flowLayout(), {0, 13, 10, 4}, {10, 11, 20, 8}},
        // One column of equal cells.
        {&SharedLayouts::gridLayout(), {0, 0, 100, 15}, {0, 15, 100, 15}},
        // Two left-aligned columns; the rows fill the height, and each child
        // is centred in its row.
        {&SharedLayouts::gridFlowLayout(), {0, 13, 10, 4}, {10, 11, 20, 8}},
    };
    for (const Case& c : cases) {
        awt::Panel panel;
        panel.setLayout(c.layout);
        panel.setSize(100, 30);
        Box first(10, 4), second(20, 8);
        panel.add(&first);
        panel.add(&second);
        panel.validate();
        EXPECT_EQ(boundsOf(first), c.first);
        EXPECT_EQ(boundsOf(second), c.second);
    }
    EXPECT_EQ(&SharedLayouts::flowLayout(), &SharedLayouts::flowLayout());
}

}  // namespace
