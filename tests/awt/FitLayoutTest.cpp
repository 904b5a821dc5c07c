#include "awt/FitLayout.h"

#include <gtest/gtest.h>

#include "TestComponents.h"
#include "awt/NullLayout.h"
#include "awt/Panel.h"
#include "awt/SharedLayouts.h"
#include "core/Exception.h"

namespace {

using awt_test::Bounds;
using awt_test::boundsOf;
using awt_test::Box;

TEST(FitLayout, KeepsTheOnlyChildAtItsPreferredSizeInsideTheInsets) {
    awt::Panel panel;
    panel.setLayout(&awt::SharedLayouts::fitLayout());
    panel.setInsets({1, 2, 3, 4});
    panel.setSize(500, 300);
    EXPECT_EQ(panel.getPreferredSize(), (awt::Size{6, 4}));
    panel.validate();

    Box label(40, 12);
    panel.add(&label);
    label.setVisible(false);
    EXPECT_EQ(panel.getPreferredSize(), (awt::Size{46, 16}));
    panel.validate();
    EXPECT_EQ(boundsOf(label), (Bounds{2, 1, 40, 12}));
}

TEST(FitLayout, RefusesASecondChildWhenAskedAboutIt) {
    awt::Panel panel;
    panel.setLayout(&awt::SharedLayouts::fitLayout());
    Box first(1, 1), second(1, 1);
    panel.add(&first);
    panel.add(&second);
    for (int question = 0; question < 2; ++question) {
        try {
            if (question == 0) {
                panel.getPreferredSize();
            } else {
                panel.validate();
            }
            ADD_FAILURE() << "two children were taken, question " << question;
        } catch (const Exception& e) {
            EXPECT_EQ(e.getMessage(), L"FitLayout for single child container");
        }
    }
}

TEST(NullLayout, IsEveryContainersFirstLayoutAndLeavesChildrenAlone) {
    awt::Panel panel;
    EXPECT_EQ(panel.getLayout(), &awt::SharedLayouts::nullLayout());
    panel.setSize(100, 100);
    Box child(50, 50);
    panel.add(&child);
    child.setBounds(5, 6, 7, 8);
    panel.validate();
    EXPECT_EQ(boundsOf(child), (Bounds{5, 6, 7, 8}));
    EXPECT_EQ(panel.getPreferredSize(), (awt::Size{0, 0}));

    // No layout means this one again.
    awt::FitLayout fit;
    panel.setLayout(&fit);
    panel.setLayout(nullptr);
    EXPECT_EQ(panel.getLayout(), &awt::SharedLayouts::nullLayout());
}

}  // namespace
