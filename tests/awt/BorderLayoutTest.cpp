#include "awt/BorderLayout.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TestComponents.h"
#include "awt/CardLayout.h"
#include "awt/Panel.h"
#include "core/Exception.h"

namespace {

using awt::BorderLayout;
using awt_test::Bounds;
using awt_test::boundsOf;
using awt_test::Box;

TEST(BorderLayout, PlacesNorthSouthThenEastBeforeWestThenCenter) {
    awt::Panel panel;
    BorderLayout layout;
    layout.setHgap(3);
    layout.setVgap(2);
    panel.setLayout(&layout);
    panel.setSize(200, 100);
    panel.setInsets({5, 6, 7, 8});
    Box north(50, 10), south(40, 12), east(20, 30), west(15, 30), center(30, 30);
    panel.add(&west, &BorderLayout::WEST);
    panel.add(&center, &BorderLayout::CENTER);
    panel.add(&east, &BorderLayout::EAST);
    panel.add(&south, &BorderLayout::SOUTH);
    panel.add(&north, &BorderLayout::NORTH);

    panel.validate();
    EXPECT_EQ(boundsOf(north), (Bounds{6, 5, 186, 10}));
    EXPECT_EQ(boundsOf(south), (Bounds{6, 81, 186, 12}));
    EXPECT_EQ(boundsOf(east), (Bounds{172, 17, 20, 62}));
    EXPECT_EQ(boundsOf(west), (Bounds{6, 17, 15, 62}));
    EXPECT_EQ(boundsOf(center), (Bounds{24, 17, 145, 62}));

    // A hidden region gives its room to the center and keeps its bounds.
    north.setVisible(false);
    east.setVisible(false);
    panel.validate();
    EXPECT_EQ(boundsOf(north), (Bounds{6, 5, 186, 10}));
    EXPECT_EQ(boundsOf(west), (Bounds{6, 5, 15, 74}));
    EXPECT_EQ(boundsOf(center), (Bounds{24, 5, 168, 74}));
}

TEST(BorderLayout, CenterAloneFillsTheInsetsAndFollowsTheNorthGap) {
    awt::Panel panel;
    BorderLayout layout;
    layout.setVgap(4);
    panel.setLayout(&layout);
    panel.setSize(120, 80);
    panel.setInsets({1, 2, 3, 4});
    Box center(10, 10);
    panel.add(&center, &BorderLayout::CENTER);
    panel.validate();
    EXPECT_EQ(boundsOf(center), (Bounds{2, 1, 114, 76}));

    Box north(10, 20);
    panel.add(&north, &BorderLayout::NORTH);
    panel.validate();
    EXPECT_EQ(boundsOf(north), (Bounds{2, 1, 114, 20}));
    EXPECT_EQ(boundsOf(center), (Bounds{2, 25, 114, 52}));
}

TEST(BorderLayout, PreferredSizeCountsOneGapBetweenNeighboursThatTakeRoom) {
    struct Case {
        const char* regions;
        awt::Size expected;
    };
    // Preferred sizes: N 50x10, S 40x12, E 20x30, W 15x25, C 30x35; hgap 3,
    // vgap 2, insets 1, 2, 3, 4.
    const std::vector<Case> cases = {
        {"", {6, 4}},
        {"C", {36, 39}},
        {"EW", {35 + 3 + 6, 30 + 4}},
        {"EWC", {65 + 2 * 3 + 6, 35 + 4}},
        {"NC", {50 + 6, 45 + 2 + 4}},
        {"NSEWC", {71 + 6, 57 + 2 * 2 + 4}},
        {"NS", {50 + 6, 22 + 2 + 4}},
    };
    for (const Case& c : cases) {
        awt::Panel panel;
        BorderLayout layout;
        layout.setHgap(3);
        layout.setVgap(2);
        panel.setLayout(&layout);
        panel.setInsets({1, 2, 3, 4});
        Box n(50, 10), s(40, 12), e(20, 30), w(15, 25), center(30, 35);
        const std::string regions = c.regions;
        if (regions.find('N') != std::string::npos) panel.add(&n, &BorderLayout::NORTH);
        if (regions.find('S') != std::string::npos) panel.add(&s, &BorderLayout::SOUTH);
        if (regions.find('E') != std::string::npos) panel.add(&e, &BorderLayout::EAST);
        if (regions.find('W') != std::string::npos) panel.add(&w, &BorderLayout::WEST);
        if (regions.find('C') != std::string::npos) panel.add(&center, &BorderLayout::CENTER);
        EXPECT_EQ(panel.getPreferredSize(), c.expected) << "regions " << c.regions;
    }

    // A hidden child asks for nothing.
    awt::Panel panel;
    BorderLayout layout;
    layout.setHgap(3);
    panel.setLayout(&layout);
    Box east(20, 30), center(30, 35);
    panel.add(&east, &BorderLayout::EAST);
    panel.add(&center, &BorderLayout::CENTER);
    east.setVisible(false);
    EXPECT_EQ(panel.getPreferredSize(), (awt::Size{30, 35}));
}

TEST(BorderLayout, RefusesAnythingButARegionAfterAppendingTheChild) {
    const awt::LayoutManager::Constraints plain;
    const awt::CardLayout::Constraints card(L"north");
    for (const awt::LayoutManager::Constraints* constraints :
         std::vector<const awt::LayoutManager::Constraints*>{nullptr, &plain, &card}) {
        awt::Panel panel;
        BorderLayout layout;
        panel.setLayout(&layout);
        Box child(1, 1);
        try {
            panel.add(&child, constraints);
            ADD_FAILURE() << "the constraints were taken";
        } catch (const IllegalArgumentException& e) {
            EXPECT_EQ(e.getMessage(), L"constraints");
        }
        EXPECT_EQ(panel.getComponentCount(), 1);
        EXPECT_EQ(child.getParent(), &panel);
    }
}

TEST(BorderLayout, ARegionHoldsOneChildAndForgetsOneThatLeaves) {
    awt::Panel panel;
    BorderLayout layout;
    panel.setLayout(&layout);
    panel.setSize(100, 50);
    Box first(10, 10), second(10, 20), center(5, 5);
    panel.add(&first, &BorderLayout::NORTH);
    panel.add(&second, &BorderLayout::NORTH);
    panel.add(&center, &BorderLayout::CENTER);
    panel.validate();
    EXPECT_EQ(boundsOf(first), (Bounds{0, 0, 0, 0}));
    EXPECT_EQ(boundsOf(second), (Bounds{0, 0, 100, 20}));

    panel.remove(&second);
    panel.validate();
    EXPECT_EQ(boundsOf(center), (Bounds{0, 0, 100, 50}));

    // A child that is destroyed leaves its region too, so that the next
    // layout does not touch it.
    {
        Box west(30, 10);
        panel.add(&west, &BorderLayout::WEST);
    }
    panel.validate();
    EXPECT_EQ(panel.getComponentCount(), 2);
    EXPECT_EQ(boundsOf(center), (Bounds{0, 0, 100, 50}));
}

}  // namespace
