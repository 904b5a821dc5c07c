#include <windows.h>

#include <gtest/gtest.h>

#include "GuiSupport.h"
#include "awt/Panel.h"
#include "awt/Toolkit.h"

// Real input from the X server, as a person gives it, through the toolkit's
// message loop to the listeners.
namespace {

using namespace awt_test;

TEST(Keys, GlobalListenersComeFirstAndASwallowedKeyNeverReachesTheControl) {
    awt::Frame frame(L"keys");
    Edit edit;
    edit.setBounds(10, 10, 200, 24);
    frame.add(&edit);
    Recorder global, own;
    global.swallowed = 'B';
    awt::Toolkit::getDefaultToolkit().addKeyListener(&global);
    edit.addKeyListener(&own);
    show(frame);
    edit.requestFocus();
    ASSERT_TRUE(typeKeys(frame, L"a b shift+c"));
    awt::Toolkit::getDefaultToolkit().removeKeyListener(&global);
    EXPECT_EQ(edit.getText(), L"aC");
    // xdotool lets go of Shift before C.
    EXPECT_EQ(global.lines, (Lines{L"pA", L"ta", L"rA", L"pB", L"rB", L"p\x10+1", L"pC+1", L"tC+1",
                                   L"r\x10", L"rC"}));
    EXPECT_EQ(own.lines,
              (Lines{L"pA", L"ta", L"rA", L"p\x10+1", L"pC+1", L"tC+1", L"r\x10", L"rC"}));
}

TEST(Keys, TabAndShiftTabMoveTheFocusWithoutWrappingAndCtrlTabDoesNot) {
    awt::Frame frame(L"traversal");
    awt::Panel first, second;
    // The fifth is like a card that is not shown: there, but out of sight.
    Edit edits[6];
    awt::Container* parents[] = {&first, &first, &second, &second, &frame, &frame};
    const POINT places[] = {{5, 5}, {100, 5}, {5, 5}, {100, 5}, {-100, -100}, {5, 100}};
    Recorder focus;
    first.setBounds(0, 0, 380, 40);
    second.setBounds(0, 50, 380, 40);
    frame.add(&first);
    frame.add(&second);
    for (int i = 0; i < 6; ++i) {
        parents[i]->add(&edits[i]);
        edits[i].setBounds(places[i].x, places[i].y, 80, 24);
        edits[i].addFocusListener(&focus);
        focus.names[&edits[i]] = L"e" + std::to_wstring(i + 1);
    }
    edits[2].setEnabled(false);
    show(frame);
    // A container hands the focus to its first enabled control.
    second.requestFocus();
    edits[0].requestFocus();
    EXPECT_EQ(focus.lines, (Lines{L"e4", L"e1"}));
    ASSERT_TRUE(typeKeys(frame, L"Tab Tab Tab Tab shift+Tab ctrl+Tab"));
    EXPECT_EQ(focus.lines, (Lines{L"e4", L"e1", L"e2", L"e4", L"e6", L"e4"}));
    EXPECT_EQ(GetFocus(), edits[3].getHandle());
    EXPECT_EQ(edits[1].getText(), L"");
}

TEST(Timers, FireForTheirComponentUntilKilled) {
    struct Ticks : awt::ActionListener {
        void actionPerformed(awt::ActionEvent& e) override {
            sources.push_back(e.source);
            if (sources.size() == 3) e.source->killTimer(this);
        }
        std::vector<awt::Component*> sources;
    } ticks;
    awt::Frame frame(L"timers");
    awt::Panel panel;
    frame.add(&panel);
    // Without a peer there is nothing to fire for.
    panel.setTimer(20, &ticks);
    show(frame);
    EXPECT_TRUE(ticks.sources.empty());
    panel.setTimer(20, &ticks);
    ASSERT_TRUE(runUntil([&] { return ticks.sources.size() == 3; }));
    runFor(200);
    EXPECT_EQ(ticks.sources, std::vector<awt::Component*>(3, &panel));
}

}  // namespace
