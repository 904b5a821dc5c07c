#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiSupport.h"
#include "TestComponents.h"
#include "awt/Frame.h"
#include "awt/Panel.h"
#include "awt/Toolkit.h"

// Real input from the X server, as a person gives it, through the toolkit's
// message loop to the listeners.
namespace {

using awt_test::Box;
using awt_test::Edit;
using awt_test::runUntil;
using awt_test::typeKeys;
using awt_test::xdotool;

struct KeyLog : awt::KeyListener {
    void keyPressed(awt::KeyEvent& e) override { record(L'p', e); }
    void keyReleased(awt::KeyEvent& e) override { record(L'r', e); }
    void keyTyped(awt::KeyEvent& e) override { record(L't', e); }
    void record(wchar_t kind, awt::KeyEvent& e) {
        if (e.keyCode == VK_F12) return;
        std::wstring entry{kind, static_cast<wchar_t>(e.keyCode)};
        if (e.modifiers != 0) entry += L"+" + std::to_wstring(e.modifiers);
        entries.push_back(entry);
        sources.push_back(e.source);
        if (e.keyCode == swallowed || e.keyCode == swallowed + (L'a' - L'A')) e.consumed = true;
    }
    std::vector<std::wstring> entries;
    std::vector<awt::Component*> sources;
    int32_t swallowed = 0;
};

struct FocusLog : awt::FocusListener {
    void focusGained(awt::FocusEvent& e) override { gained.push_back(e.source); }
    std::vector<awt::Component*> gained;
};

struct MouseLog : awt::MouseListener {
    MouseLog(const std::wstring& logName, std::vector<std::wstring>& log)
        : name(logName), entries(log) {}
    void mouseEntered(awt::MouseEvent& e) override { record(L"entered", e); }
    void mouseExited(awt::MouseEvent& e) override { record(L"exited", e); }
    void mousePressed(awt::MouseEvent& e) override { record(L"pressed", e); }
    void record(const std::wstring& what, awt::MouseEvent& e) {
        entries.push_back(name + L" " + what + L" " + std::to_wstring(e.x) + L"," +
                          std::to_wstring(e.y) + L" " + std::to_wstring(e.clickCount));
    }
    std::wstring name;
    std::vector<std::wstring>& entries;
};

void bringToFront(awt::Frame& frame) {
    frame.setVisible(true);
    SetForegroundWindow(frame.getHandle());
    awt_test::runFor(100);
}

TEST(Keys, GlobalListenersComeFirstAndASwallowedKeyNeverReachesTheControl) {
    awt::Frame frame(L"keys");
    frame.setBounds(100, 100, 300, 200);
    Edit edit;
    edit.setBounds(10, 10, 200, 24);
    frame.add(&edit);
    KeyLog global, own;
    global.swallowed = 'B';
    awt::Toolkit::getDefaultToolkit().addKeyListener(&global);
    edit.addKeyListener(&own);
    bringToFront(frame);
    edit.requestFocus();

    ASSERT_TRUE(typeKeys(frame, L"a b shift+c"));
    EXPECT_EQ(edit.getText(), L"aC");
    // xdotool lets go of Shift before C.
    EXPECT_EQ(global.entries,
              (std::vector<std::wstring>{L"pA", L"ta", L"rA", L"pB", L"rB", L"p\x10+1", L"pC+1",
                                         L"tC+1", L"r\x10", L"rC"}));
    EXPECT_EQ(own.entries, (std::vector<std::wstring>{L"pA", L"ta", L"rA", L"p\x10+1", L"pC+1",
                                                      L"tC+1", L"r\x10", L"rC"}));
    EXPECT_EQ(global.sources.front(), static_cast<awt::Component*>(&edit));
    awt::Toolkit::getDefaultToolkit().removeKeyListener(&global);
    frame.dispose();
}

TEST(Keys, TabAndShiftTabMoveTheFocusWithoutWrappingAndCtrlTabDoesNot) {
    awt::Frame frame(L"traversal");
    frame.setBounds(100, 100, 400, 300);
    awt::Panel first, second;
    Edit e1, e2, e3, e4, offView, e6;
    first.setBounds(0, 0, 380, 40);
    second.setBounds(0, 50, 380, 40);
    e1.setBounds(5, 5, 80, 24);
    e2.setBounds(100, 5, 80, 24);
    e3.setBounds(5, 5, 80, 24);
    e4.setBounds(100, 5, 80, 24);
    // Like a card that is not shown: there, but out of sight.
    offView.setBounds(-100, -100, 80, 24);
    e6.setBounds(5, 100, 80, 24);
    frame.add(&first);
    first.add(&e1);
    first.add(&e2);
    frame.add(&second);
    second.add(&e3);
    second.add(&e4);
    frame.add(&offView);
    frame.add(&e6);
    e3.setEnabled(false);
    FocusLog focus;
    for (Edit* edit : {&e1, &e2, &e3, &e4, &offView, &e6}) edit->addFocusListener(&focus);
    bringToFront(frame);

    // A container hands the focus to its first enabled control.
    second.requestFocus();
    EXPECT_EQ(GetFocus(), e4.getHandle());
    e1.requestFocus();
    focus.gained.clear();

    ASSERT_TRUE(typeKeys(frame, L"Tab Tab Tab Tab shift+Tab ctrl+Tab"));
    EXPECT_EQ(focus.gained, (std::vector<awt::Component*>{&e2, &e4, &e6, &e4}));
    EXPECT_EQ(GetFocus(), e4.getHandle());
    // The Tab keys were the toolkit's: none reached the controls as text.
    EXPECT_EQ(e2.getText(), L"");
    frame.dispose();
}

TEST(Mouse, EnteringOneComponentReportsThatTheLastOneWasLeft) {
    // Start with the pointer away from where the window will be.
    xdotool(L"mousemove 1000 740");
    awt_test::runFor(200);
    awt::Frame frame(L"mouse");
    frame.setBounds(100, 100, 400, 300);
    awt::Panel a, b;
    a.setBounds(10, 10, 100, 100);
    b.setBounds(150, 10, 100, 100);
    frame.add(&a);
    frame.add(&b);
    std::vector<std::wstring> log;
    MouseLog aLog(L"a", log), bLog(L"b", log);
    a.addMouseListener(&aLog);
    b.addMouseListener(&bLog);
    bringToFront(frame);

    POINT inA{20, 30};
    ClientToScreen(a.getHandle(), &inA);
    POINT inB{40, 50};
    ClientToScreen(b.getHandle(), &inB);
    xdotool(L"mousemove " + std::to_wstring(inA.x) + L" " + std::to_wstring(inA.y));
    ASSERT_TRUE(runUntil([&] { return !log.empty(); }));
    xdotool(L"mousemove " + std::to_wstring(inB.x) + L" " + std::to_wstring(inB.y) +
            L" sleep 0.2 mousemove_relative 3 3 sleep 0.2 click 1");
    ASSERT_TRUE(runUntil([&] { return log.size() >= 4; }));
    awt_test::runFor(200);

    // a is left at b's point, in a's own coordinates; moving within b
    // enters nothing new.
    EXPECT_EQ(log, (std::vector<std::wstring>{L"a entered 20,30 0", L"a exited 180,50 0",
                                              L"b entered 40,50 0", L"b pressed 43,53 1"}));
    frame.dispose();
}

TEST(Timers, FireForTheirComponentUntilKilled) {
    struct Ticks : awt::ActionListener {
        void actionPerformed(awt::ActionEvent& e) override {
            sources.push_back(e.source);
            if (sources.size() == 3) panel->killTimer(this);
        }
        std::vector<awt::Component*> sources;
        awt::Panel* panel = nullptr;
    };
    awt::Frame frame(L"timers");
    awt::Panel panel;
    frame.add(&panel);
    Ticks ticks;
    ticks.panel = &panel;
    // Without a peer there is nothing to fire for.
    panel.setTimer(20, &ticks);
    frame.setVisible(true);
    awt_test::runFor(100);
    EXPECT_TRUE(ticks.sources.empty());

    panel.setTimer(20, &ticks);
    ASSERT_TRUE(runUntil([&] { return ticks.sources.size() == 3; }));
    awt_test::runFor(200);
    EXPECT_EQ(ticks.sources, std::vector<awt::Component*>(3, &panel));
    frame.dispose();
}

}  // namespace
