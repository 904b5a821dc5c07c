#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../core/MessageOf.h"
#include "GuiSupport.h"
#include "TestComponents.h"
#include "awt/BorderLayout.h"
#include "awt/BorderedPanel.h"
#include "awt/Button.h"
#include "awt/CardLayout.h"
#include "awt/Checkbox.h"
#include "awt/Choice.h"
#include "awt/GridFlowLayout.h"
#include "awt/Label.h"
#include "awt/NumberField.h"
#include "awt/TextArea.h"
#include "awt/Tree.h"
#include "awt/Toolkit.h"
#include "core/Exception.h"

// Native windows: when peers come and go, what they look like, when the
// toolkit calls the native side, and what it does for top-level windows.
namespace {

using namespace awt_test;
using awt::Component;

TEST(Peers, ShowingAFrameCreatesTheTreeParentsFirst) {
    awt::Frame frame(L"peers");
    awt::Panel outer, hidden;
    awt::BorderedPanel group(L"group");
    Edit edit;
    frame.add(&outer);
    outer.add(&group);
    group.add(&edit);
    frame.add(&hidden);
    hidden.setVisible(false);
    outer.setBounds(0, 0, 300, 200);
    group.setBounds(10, 10, 200, 100);
    frame.setVisible(true);

    // A child made before its parent would have had no parent window.
    for (Component* c : std::vector<Component*>{&frame, &outer, &group, &edit, &hidden}) {
        EXPECT_EQ(Component::fromHandle(c->getHandle()), c);
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(c->getHandle(), WM_GETFONT, 0, 0)),
                  awt::Toolkit::getGuiFont());
        if (c != &frame) {
            EXPECT_EQ(GetParent(c->getHandle()), c->getParent()->getHandle());
        }
    }
    // A panel's and a group box's whole area takes the mouse, for their
    // listeners; a plain static control or group box lets it through.
    POINT inside{100, 50}, outside{250, 50};
    ClientToScreen(group.getHandle(), &inside);
    ClientToScreen(group.getHandle(), &outside);
    const auto hit = [](const Component& c, POINT p) {
        return SendMessageW(c.getHandle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hit(outer, inside), HTCLIENT);
    EXPECT_EQ(hit(group, inside), HTCLIENT);
    EXPECT_NE(hit(group, outside), HTCLIENT);
    // User data alone does not make a window the toolkit's.
    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, frame.getHandle(),
                                   nullptr, nullptr, nullptr);
    SetWindowLongPtrW(foreign, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&edit));
    EXPECT_EQ(Component::fromHandle(foreign), nullptr);
    frame.dispose();
    EXPECT_EQ(edit.getHandle(), nullptr);
    EXPECT_FALSE(IsWindow(foreign));
}

TEST(Peers, ComeAndGoWithTheTreeOrTheSystemAndSeeOnlyRealChanges) {
    struct Counting : Box {
        Counting() : Box(1, 1) {}
        LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            moves += message == WM_WINDOWPOSCHANGING;
            return Box::handleMessage(message, wParam, lParam);
        }
        int moves = 0;
    };
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    awt::Frame frame(L"peers come and go");
    auto panel = std::make_unique<awt::Panel>();
    Counting box;
    frame.add(panel.get());
    panel->add(&box);
    box.setVisible(false);
    frame.setVisible(true);
    EXPECT_FALSE(IsWindowVisible(box.getHandle()));
    toolkit.validateInvalid();
    box.setVisible(true);
    EXPECT_TRUE(IsWindowVisible(box.getHandle()));
    EXPECT_TRUE(toolkit.isInvalid(panel.get()) && toolkit.isInvalid(&frame));

    box.setBounds(10, 20, 30, 40);
    toolkit.validateInvalid();
    box.moves = 0;
    box.setBounds(10, 20, 30, 40);
    box.setLocation(10, 20);
    box.setSize(30, 40);
    EXPECT_EQ(box.moves, 0);
    box.setLocation(11, 21);
    box.setBounds(12, 22, 30, 40);
    EXPECT_EQ(box.moves, 2);
    EXPECT_FALSE(toolkit.isInvalid(&box));
    box.setSize(31, 41);
    EXPECT_TRUE(toolkit.isInvalid(&box));
    toolkit.validateInvalid();
    box.setBounds(12, 22, 32, 42);
    EXPECT_TRUE(toolkit.isInvalid(&box));
    RECT rect;
    GetWindowRect(box.getHandle(), &rect);
    MapWindowPoints(nullptr, panel->getHandle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ((Bounds{rect.left, rect.top, rect.right, rect.bottom}), (Bounds{12, 22, 44, 64}));

    Edit edit;
    panel->add(&edit);
    HWND handle = edit.getHandle();
    EXPECT_EQ(GetParent(handle), panel->getHandle());
    panel->remove(&edit);
    EXPECT_FALSE(IsWindow(handle));
    // A peer that the system destroys is let go; showing makes a new one.
    DestroyWindow(frame.getHandle());
    EXPECT_EQ(box.getHandle(), nullptr);
    frame.setVisible(true);
    handle = box.getHandle();
    EXPECT_TRUE(IsWindowVisible(handle));
    panel.reset();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(box.getParent(), nullptr);
}

TEST(Peers, NotificationsAndColoursReachOnlyChildrenThatTheToolkitMade) {
    struct Button : Box {
        Button() : Box(60, 20) {}
        const wchar_t* getClassName() override { return L"BUTTON"; }
        LRESULT handleCommand(int code, WPARAM, bool& handled) override {
            codes.push_back(code);
            handled = true;
            return 0;
        }
        LRESULT handleNotify(int code, NMHDR*, bool&) override {
            codes.push_back(code);
            return 88;
        }
        std::vector<int> codes;
    };
    awt::Frame frame(L"reflection");
    Button button;
    frame.add(&button);
    button.setBounds(5, 5, 60, 20);
    frame.setVisible(true);

    // A click on the native button comes back to it as BN_CLICKED; a
    // notification that it does not handle gets default processing.
    SendMessageW(button.getHandle(), BM_CLICK, 0, 0);
    NMHDR header{button.getHandle(), 5, static_cast<UINT>(-2)};
    EXPECT_EQ(SendMessageW(frame.getHandle(), WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header)), 0);
    EXPECT_EQ(button.codes, (std::vector<int>{BN_CLICKED, -2}));

    HDC dc = GetDC(frame.getHandle());
    const auto ask = [&](HWND window) {
        SetTextColor(dc, RGB(9, 9, 9));
        return SendMessageW(frame.getHandle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(window));
    };
    const auto defaultBrush = ask(nullptr);
    const COLORREF defaultText = GetTextColor(dc);
    EXPECT_EQ(ask(button.getHandle()), defaultBrush);
    button.setForeground(RGB(1, 2, 3));
    EXPECT_EQ(ask(button.getHandle()), defaultBrush);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    button.setBackground(RGB(200, 10, 20));
    const auto brush = ask(button.getHandle());
    LOGBRUSH logBrush{};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof logBrush, &logBrush);
    EXPECT_EQ(logBrush.lbColor, RGB(200, 10, 20));
    EXPECT_EQ(GetBkColor(dc), RGB(200, 10, 20));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(ask(button.getHandle()), brush);
    // A window that the toolkit did not make keeps the default colours.
    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, frame.getHandle(),
                                   nullptr, nullptr, nullptr);
    EXPECT_EQ(ask(foreign), defaultBrush);
    EXPECT_EQ(GetTextColor(dc), defaultText);
    ReleaseDC(frame.getHandle(), dc);
}

TEST(Peers, AGroupBoxShowsItsOwnBackgroundAroundItsChildren) {
    constexpr COLORREF colour = RGB(220, 230, 240);
    awt::Frame frame(L"group colour");
    awt::BorderedPanel group(L"カテゴリ");
    Box child(80, 30);
    frame.add(&group);
    group.add(&child);
    group.setBounds(10, 10, 200, 120);
    child.setBounds(20, 40, 80, 30);
    group.setBackground(colour);
    show(frame);
    // Read back from the screen, below the child: the native group box
    // paints only its frame and title, so only the toolkit's fill is there.
    POINT below{60, 90};
    ClientToScreen(group.getHandle(), &below);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, below.x, below.y), colour);
    ReleaseDC(nullptr, screen);
}

struct ClosingLog : awt::WindowListener {
    void windowClosing(awt::WindowEvent&) override {
        ++count;
        if (disposeAndQuit) {
            frame->dispose();
            PostQuitMessage(0);
        }
        if (failure != nullptr) throw Exception(failure);
    }
    awt::Frame* frame = nullptr;
    int count = 0;
    bool disposeAndQuit = false;
    const wchar_t* failure = nullptr;
};

// A card of every control that measures text, some in a group box.
struct Card {
    Card() {
        panel.setLayout(&grid);
        group.setLayout(&grid);
        choice.add(L"選択肢のいちばん長い名前");
        for (Component* c : std::vector<Component*>{&label, &check, &choice}) group.add(c);
        for (Component* c : std::vector<Component*>{&group, &number, &button}) panel.add(c);
    }
    std::vector<Component*> all() {
        return {&panel, &group, &label, &check, &choice, &number, &button};
    }
    // Within the card, which itself may be out of sight.
    std::vector<Bounds> bounds() {
        std::vector<Bounds> list;
        for (Component* c : all()) {
            if (c != &panel) list.push_back(boundsOf(*c));
        }
        return list;
    }
    awt::GridFlowLayout grid{0, 2};
    awt::Panel panel;
    awt::BorderedPanel group{L"グループ"};
    awt::Label label{L"ラベルの文字"};
    awt::Checkbox check{L"チェック ボックス"};
    awt::Choice choice;
    awt::NumberField number{12345};
    awt::Button button{L"ボタン"};
};

TEST(Peers, ACardIsCreatedInPlaceWhenFirstShownAndMeasuresAsIfItHadBeen) {
    awt::Frame frame(L"cards");
    awt::CardLayout cards;
    frame.setLayout(&cards);
    Card first, measuredEarly, measuredLate;
    const awt::CardLayout::Constraints a(L"a"), b(L"b"), c(L"c");
    frame.add(&first.panel, &a);
    frame.add(&measuredEarly.panel, &b);
    frame.add(&measuredLate.panel, &c);
    const awt::Size early = measuredEarly.panel.getPreferredSize();
    show(frame);
    ASSERT_TRUE(runUntil([&] { return first.panel.getSize().width > 0; }));
    awt::Toolkit::getDefaultToolkit().validateInvalid();
    for (Component* hidden : measuredLate.all()) EXPECT_EQ(hidden->getHandle(), nullptr);

    for (Card* card : {&measuredEarly, &measuredLate}) {
        cards.show(frame, card == &measuredLate ? L"c" : L"b");
        // Made where it belongs at once: the native window stands where the
        // layout put it before the loop has run a layout pass.
        for (Component* made : card->all()) {
            ASSERT_NE(made->getHandle(), nullptr);
            RECT rect;
            GetWindowRect(made->getHandle(), &rect);
            MapWindowPoints(nullptr, GetParent(made->getHandle()),
                            reinterpret_cast<POINT*>(&rect), 2);
            // A combo box keeps its closed height whatever it is given.
            Bounds wanted = boundsOf(*made);
            if (made == &card->choice) wanted.height = rect.bottom - rect.top;
            EXPECT_EQ(wanted, (Bounds{rect.left, rect.top, rect.right - rect.left,
                                      rect.bottom - rect.top}));
        }
        awt::Toolkit::getDefaultToolkit().validateInvalid();
        EXPECT_EQ(card->bounds(), first.bounds());
    }
    // Text measured without a peer is measured as with one.
    EXPECT_EQ(measuredLate.panel.getPreferredSize(), early);

    // Counted before the last card's windows exist, the windows are the
    // ones then made, the lists of the combo boxes included.
    awt::Panel last;
    awt::Tree tree;
    tree.addNode(tree.getRoot(), L"ノード", nullptr);
    awt::TextArea area(L"ヘルプ", 3, 20);
    last.add(&tree);
    last.add(&area);
    const awt::CardLayout::Constraints d(L"d");
    frame.add(&last, &d);
    const int32_t counted = frame.countNativeWindows();
    cards.show(frame, L"d");
    int32_t made = 0;
    // Child windows are listed with all their descendants.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM total) {
            // The system gives every thread with windows an input method
            // window of its own.
            wchar_t name[8];
            GetClassNameW(window, name, 8);
            if (std::wstring(name) != L"IME") ++*reinterpret_cast<int32_t*>(total);
            EnumChildWindows(
                window,
                [](HWND, LPARAM sum) {
                    ++*reinterpret_cast<int32_t*>(sum);
                    return TRUE;
                },
                total);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&made));
    EXPECT_EQ(made, counted);
}

TEST(Window, PackSizesTheFrameAndLayoutFollowsTheNativeSize) {
    awt::Frame frame(L"layout");
    awt::BorderLayout layout;
    frame.setLayout(&layout);
    Box north(120, 30), center(200, 100);
    frame.add(&north, &awt::BorderLayout::NORTH);
    frame.add(&center, &awt::BorderLayout::CENTER);
    frame.setLocation(50, 60);
    frame.pack();
    // The preferred size is an outer size: the client area fits the children.
    RECT client;
    GetClientRect(frame.getHandle(), &client);
    EXPECT_EQ(awt::Size(client.right, client.bottom), (awt::Size{200, 130}));
    frame.setVisible(true);
    ASSERT_TRUE(runUntil([&] { return boundsOf(center) == Bounds{0, 30, 200, 100}; }));

    // As the user would drag the border and move the window.
    const awt::Size outer = frame.getSize();
    SetWindowPos(frame.getHandle(), nullptr, 70, 80, outer.width + 40, outer.height + 20,
                 SWP_NOZORDER);
    EXPECT_EQ(frame.getLocation().x, 70);
    ASSERT_TRUE(runUntil([&] { return boundsOf(center) == Bounds{0, 30, 240, 120}; }));

    // While dragging, the layout follows only if the window's contents are
    // shown during the drag; below the minimum size it cannot go.
    awt::Toolkit::getDefaultToolkit().validateInvalid();
    BOOL fullDrag = FALSE;
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    RECT proposed{70, 80, 370, 280};
    SendMessageW(frame.getHandle(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, fullDrag, nullptr, 0);
    EXPECT_EQ(frame.getSize(), (awt::Size{300, 200}));
    EXPECT_TRUE(awt::Toolkit::getDefaultToolkit().isInvalid(&frame));
    frame.setMinimumSize(310, 220);
    frame.setSize(100, 100);
    EXPECT_EQ(frame.getSize(), (awt::Size{310, 220}));
}

TEST(Window, ClosingIsReportedAndRunEndsWithTheQuitCodeOrWhatAListenerThrew) {
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    PostQuitMessage(42);
    EXPECT_EQ(toolkit.run(), 42);

    awt::Frame frame(L"closing");
    ClosingLog log;
    log.frame = &frame;
    frame.addWindowListener(&log);
    frame.setVisible(true);
    // A listener that only listens: the command (whose low four bits are the
    // system's) reports closing, default processing turns it into WM_CLOSE,
    // which reports it again and destroys the window.
    PostMessageW(frame.getHandle(), WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    ASSERT_TRUE(runUntil([&] { return frame.getHandle() == nullptr; }));
    EXPECT_EQ(log.count, 2);

    // One that disposes and quits, as the program's main window does.
    log.count = 0;
    log.disposeAndQuit = true;
    frame.setVisible(true);
    PostMessageW(frame.getHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(toolkit.run(), 0);
    EXPECT_EQ(log.count, 1);

    log.disposeAndQuit = false;
    log.failure = L"closing failed";
    frame.setVisible(true);
    PostMessageW(frame.getHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(messageOf<Exception>([&] { toolkit.run(); }), L"closing failed");

    // Thrown by the call that sent the message, not held for later.
    struct Refusing : awt::FocusListener {
        void focusGained(awt::FocusEvent&) override { throw Exception(L"no focus"); }
    } refusing;
    Edit edit;
    frame.add(&edit);
    edit.addFocusListener(&refusing);
    EXPECT_EQ(messageOf<Exception>([&] { edit.requestFocus(); }), L"no focus");
    edit.removeFocusListener(&refusing);
}

}  // namespace
