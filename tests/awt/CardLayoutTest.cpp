#include "awt/CardLayout.h"

#include <gtest/gtest.h>

#include "TestComponents.h"
#include "awt/Panel.h"
#include "awt/Toolkit.h"
#include "core/Exception.h"

namespace {

using awt::CardLayout;
using awt_test::Bounds;
using awt_test::boundsOf;
using awt_test::Box;

struct Deck {
    Deck() {
        panel.setLayout(&layout);
        panel.setSize(100, 60);
        panel.setInsets({1, 2, 3, 4});
        panel.add(&first, &firstName);
        panel.add(&second, &secondName);
        awt::Toolkit::getDefaultToolkit().validateInvalid();
    }

    awt::Panel panel;
    CardLayout layout;
    CardLayout::Constraints firstName{L"first"};
    CardLayout::Constraints secondName{L"second"};
    Box first{10, 20};
    Box second{30, 5};
};

TEST(CardLayout, TheCurrentCardFillsTheInsetsAndTheOthersLieOutOfSight) {
    Deck deck;
    deck.panel.validate();
    EXPECT_EQ(boundsOf(deck.first), (Bounds{2, 1, 94, 56}));
    EXPECT_EQ(boundsOf(deck.second), (Bounds{0, 0, 0, 0}));

    deck.layout.show(deck.panel, L"second");
    deck.panel.validate();
    EXPECT_EQ(boundsOf(deck.second), (Bounds{2, 1, 94, 56}));
    EXPECT_EQ(boundsOf(deck.first), (Bounds{-94, -56, 94, 56}));
    // Moved away, never hidden.
    EXPECT_TRUE(deck.first.isVisible());
}

TEST(CardLayout, ShowQueuesALayoutOnlyWhenTheCardChanges) {
    Deck deck;
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    deck.layout.show(deck.panel, L"first");
    EXPECT_FALSE(toolkit.isInvalid(&deck.panel));
    deck.layout.show(deck.panel, L"second");
    EXPECT_TRUE(toolkit.isInvalid(&deck.panel));
    toolkit.validateInvalid();
    EXPECT_FALSE(toolkit.isInvalid(&deck.panel));
    EXPECT_EQ(boundsOf(deck.second), (Bounds{2, 1, 94, 56}));

    try {
        deck.layout.show(deck.panel, L"third");
        ADD_FAILURE() << "an unknown card was shown";
    } catch (const IllegalArgumentException& e) {
        EXPECT_EQ(e.getMessage(), L"invalid name: third");
    }
}

TEST(CardLayout, ANameNeedsAValueAndALaterCardTakesItOver) {
    Deck deck;
    Box unnamed(1, 1);
    const CardLayout::Constraints empty(L"");
    const awt::LayoutManager::Constraints plain;
    for (const awt::LayoutManager::Constraints* constraints :
         {static_cast<const awt::LayoutManager::Constraints*>(&empty), &plain,
          static_cast<const awt::LayoutManager::Constraints*>(nullptr)}) {
        try {
            deck.panel.add(&unnamed, constraints);
            ADD_FAILURE() << "a card without a name was taken";
        } catch (const IllegalArgumentException& e) {
            EXPECT_EQ(e.getMessage(), L"empty constraints");
        }
    }
    deck.panel.remove(&unnamed);

    Box replacement(1, 1);
    deck.panel.add(&replacement, &deck.secondName);
    deck.layout.show(deck.panel, L"second");
    deck.panel.validate();
    EXPECT_EQ(boundsOf(replacement), (Bounds{2, 1, 94, 56}));
    // The replaced card is still a child, moved away like any other.
    EXPECT_EQ(deck.panel.getComponentCount(), 3);
}

TEST(CardLayout, PreferredSizeIsTheLargestOfAllCardsHiddenOrNot) {
    Deck deck;
    deck.second.setVisible(false);
    EXPECT_EQ(deck.panel.getPreferredSize(), (awt::Size{30 + 6, 20 + 4}));

    awt::Panel empty;
    CardLayout layout;
    empty.setLayout(&layout);
    empty.setInsets({1, 2, 3, 4});
    EXPECT_EQ(empty.getPreferredSize(), (awt::Size{6, 4}));
}

TEST(CardLayout, RemovingTheCurrentCardLeavesNoneUntilTheNextIsAdded) {
    Deck deck;
    deck.panel.remove(&deck.first);
    deck.panel.validate();
    EXPECT_EQ(boundsOf(deck.second), (Bounds{0, 0, 0, 0}));
    try {
        deck.layout.show(deck.panel, L"first");
        ADD_FAILURE() << "a removed card was shown";
    } catch (const IllegalArgumentException& e) {
        EXPECT_EQ(e.getMessage(), L"invalid name: first");
    }

    Box third(1, 1);
    const CardLayout::Constraints thirdName(L"third");
    deck.panel.add(&third, &thirdName);
    deck.panel.validate();
    EXPECT_EQ(boundsOf(third), (Bounds{2, 1, 94, 56}));
    deck.layout.show(deck.panel, L"second");
    deck.panel.validate();
    EXPECT_EQ(boundsOf(deck.second), (Bounds{2, 1, 94, 56}));
}

}  // namespace
