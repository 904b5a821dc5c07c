#include "awt/FlowLayout.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestComponents.h"
#include "awt/Panel.h"

namespace {

using awt::FlowLayout;
using awt_test::Bounds;
using awt_test::boundsOf;
using awt_test::Box;

TEST(FlowLayout, AlignsOneRowOfVisibleChildrenCentredVertically) {
    struct Case {
        int32_t alignment;
        int32_t width;
        Bounds a;
        Bounds b;
    };
    // Insets 2, 3, 4, 5; children 10x5 and 20x10 with a hidden 30x30 between
    // them; hgap 4, so the row is 34 wide; 14 pixels of height to centre in.
    const std::vector<Case> cases = {
        {FlowLayout::LEFT, 100, {3, 6, 10, 5}, {17, 4, 20, 10}},
        {FlowLayout::RIGHT, 100, {61, 6, 10, 5}, {75, 4, 20, 10}},
        {FlowLayout::CENTER, 100, {32, 6, 10, 5}, {46, 4, 20, 10}},
        {FlowLayout::CENTER, 101, {32, 6, 10, 5}, {46, 4, 20, 10}},
        // Too narrow: the row starts inside the left inset and runs off.
        {FlowLayout::RIGHT, 30, {3, 6, 10, 5}, {17, 4, 20, 10}},
        {FlowLayout::CENTER, 30, {3, 6, 10, 5}, {17, 4, 20, 10}},
    };
    for (const Case& c : cases) {
        awt::Panel panel;
        FlowLayout layout(c.alignment);
        layout.setHgap(4);
        panel.setLayout(&layout);
        panel.setInsets({2, 3, 4, 5});
        panel.setSize(c.width, 20);
        Box a(10, 5), hidden(30, 30), b(20, 10);
        panel.add(&a);
        panel.add(&hidden);
        panel.add(&b);
        hidden.setVisible(false);
        panel.validate();
        EXPECT_EQ(boundsOf(a), c.a) << "alignment " << c.alignment << ", width " << c.width;
        EXPECT_EQ(boundsOf(b), c.b) << "alignment " << c.alignment << ", width " << c.width;
        EXPECT_EQ(boundsOf(hidden), (Bounds{0, 0, 0, 0}));
        EXPECT_EQ(panel.getPreferredSize(), (awt::Size{34 + 8, 10 + 6}));
    }
}

TEST(FlowLayout, CentringTruncatesAnOddLeftoverAndGapsFollowOnlyRoomTaken) {
    awt::Panel panel;
    FlowLayout layout(FlowLayout::LEFT);
    layout.setHgap(7);
    panel.setLayout(&layout);
    panel.setSize(100, 15);
    Box empty(0, 4), child(10, 10), tall(5, 30);
    panel.add(&empty);
    panel.add(&child);
    panel.add(&tall);
    panel.validate();
    EXPECT_EQ(boundsOf(child), (Bounds{7, 2, 10, 10}));
    // Taller than the container: centred above the top.
    EXPECT_EQ(boundsOf(tall), (Bounds{24, -7, 5, 30}));
    // The empty first child adds no gap before the second to the width.
    EXPECT_EQ(panel.getPreferredSize(), (awt::Size{10 + 7 + 5, 30}));
}

}  // namespace
