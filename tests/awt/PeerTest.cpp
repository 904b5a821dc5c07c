#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "GuiSupport.h"
#include "TestComponents.h"
#include "awt/BorderedPanel.h"
#include "awt/Frame.h"
#include "awt/Panel.h"
#include "awt/Toolkit.h"
#include "core/Exception.h"

// Native windows: when peers come and go, what they look like, and when the
// toolkit calls the native side.
namespace {

using awt::Component;
using awt_test::Box;
using awt_test::Edit;
using awt_test::LoggedPanel;

LONG_PTR styleOf(const Component& c) { return GetWindowLongPtrW(c.getHandle(), GWL_STYLE); }

std::wstring messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.getMessage();
    }
    return L"(nothing thrown)";
}

TEST(Peers, ShowingAFrameCreatesTheTreeParentsFirst) {
    std::vector<std::wstring> log;
    awt::Frame frame(L"peers");
    LoggedPanel outer(log, L"outer"), inner(log, L"inner"), hidden(log, L"hidden");
    awt::BorderedPanel group(L"group");
    Edit edit;
    frame.add(&outer);
    outer.add(&inner);
    outer.add(&group);
    group.add(&edit);
    frame.add(&hidden);
    hidden.setVisible(false);
    edit.setEnabled(false);
    EXPECT_EQ(frame.getHandle(), nullptr);

    frame.setVisible(true);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"outer", L"inner", L"hidden"}));
    for (Component* c : std::vector<Component*>{&frame, &outer, &inner, &group, &edit, &hidden}) {
        ASSERT_NE(c->getHandle(), nullptr);
        EXPECT_EQ(GetWindowLongPtrW(c->getHandle(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(c));
        EXPECT_EQ(Component::fromHandle(c->getHandle()), c);
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(c->getHandle(), WM_GETFONT, 0, 0)),
                  GetStockObject(DEFAULT_GUI_FONT));
        if (c->getParent() != nullptr) {
            EXPECT_EQ(GetParent(c->getHandle()), c->getParent()->getHandle());
            EXPECT_EQ(GetWindowLongPtrW(c->getHandle(), GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY,
                      WS_EX_NOPARENTNOTIFY);
        }
    }

    const LONG_PTR child = WS_CHILD | WS_CLIPSIBLINGS;
    const LONG_PTR container = WS_CLIPCHILDREN | WS_GROUP;
    EXPECT_EQ(styleOf(inner), child | WS_VISIBLE | container | SS_NOTIFY);
    EXPECT_EQ(styleOf(hidden), child | container | SS_NOTIFY);
    EXPECT_EQ(styleOf(group), child | WS_VISIBLE | container | 0x4507);
    // An edit control trades WS_BORDER for an extended style of its own.
    EXPECT_EQ(styleOf(edit) & ~WS_BORDER, child | WS_VISIBLE | WS_DISABLED | WS_TABSTOP);
    const LONG_PTR frameStyle = styleOf(frame);
    EXPECT_EQ(frameStyle & (WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN),
              WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN);
    EXPECT_EQ(frameStyle & WS_CHILD, 0);
    wchar_t title[16];
    GetWindowTextW(frame.getHandle(), title, 16);
    EXPECT_STREQ(title, L"peers");
    wchar_t className[16];
    GetClassNameW(frame.getHandle(), className, 16);
    EXPECT_STREQ(className, L"awt::Frame");

    // The system chose the position; the frame knows it.
    RECT rect;
    GetWindowRect(frame.getHandle(), &rect);
    EXPECT_EQ(frame.getLocation(), (awt::Point{rect.left, rect.top}));

    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, frame.getHandle(),
                                   nullptr, nullptr, nullptr);
    EXPECT_EQ(Component::fromHandle(foreign), nullptr);
    EXPECT_EQ(Component::fromHandle(nullptr), nullptr);

    EXPECT_FALSE(inner.isFocusTraversable());
    inner.addStyle(WS_TABSTOP);
    EXPECT_TRUE(inner.isFocusTraversable());
    inner.removeStyle(WS_TABSTOP);
    EXPECT_EQ(styleOf(inner), child | WS_VISIBLE | container | SS_NOTIFY);

    frame.dispose();
    EXPECT_EQ(frame.getHandle(), nullptr);
    EXPECT_EQ(edit.getHandle(), nullptr);
    EXPECT_FALSE(IsWindow(foreign));
}

TEST(Peers, AChildOfAShowingContainerGetsItsPeerAtOnceAndLosesItOnRemoval) {
    awt::Frame frame(L"adding");
    awt::Panel panel;
    frame.add(&panel);
    frame.setVisible(true);

    Edit edit;
    panel.add(&edit);
    HWND handle = edit.getHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GetParent(handle), panel.getHandle());

    panel.remove(&edit);
    EXPECT_EQ(edit.getHandle(), nullptr);
    EXPECT_FALSE(IsWindow(handle));

    // Destroying a container with a peer leaves its children without theirs.
    auto inner = std::make_unique<awt::Panel>();
    panel.add(inner.get());
    inner->add(&edit);
    handle = edit.getHandle();
    inner.reset();
    EXPECT_EQ(edit.getHandle(), nullptr);
    EXPECT_EQ(edit.getParent(), nullptr);
    EXPECT_FALSE(IsWindow(handle));
    frame.dispose();
}

TEST(Peers, OnlyRealChangesReachTheNativeWindowAndOnlyResizingQueuesLayout) {
    struct Counting : Box {
        using Box::Box;
        LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_WINDOWPOSCHANGING) ++positionChanges;
            return Box::handleMessage(message, wParam, lParam);
        }
        int positionChanges = 0;
    };
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    awt::Frame frame(L"geometry");
    Counting box(1, 1);
    frame.add(&box);
    frame.setVisible(true);
    box.setBounds(10, 20, 30, 40);
    toolkit.validateInvalid();
    const int before = box.positionChanges;

    box.setBounds(10, 20, 30, 40);
    box.setLocation(10, 20);
    box.setSize(30, 40);
    EXPECT_EQ(box.positionChanges, before);
    EXPECT_FALSE(toolkit.isInvalid(&box));

    box.setLocation(11, 21);
    EXPECT_EQ(box.positionChanges, before + 1);
    EXPECT_FALSE(toolkit.isInvalid(&box));
    box.setBounds(12, 22, 30, 40);
    EXPECT_FALSE(toolkit.isInvalid(&box));

    box.setSize(31, 41);
    EXPECT_EQ(box.positionChanges, before + 3);
    EXPECT_TRUE(toolkit.isInvalid(&box));
    toolkit.validateInvalid();
    box.setBounds(12, 22, 32, 42);
    EXPECT_TRUE(toolkit.isInvalid(&box));

    RECT rect;
    GetWindowRect(box.getHandle(), &rect);
    MapWindowPoints(nullptr, frame.getHandle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 12);
    EXPECT_EQ(rect.bottom - rect.top, 42);
    frame.dispose();
}

TEST(Peers, VisibilityWithoutAPeerIsAFlagUntilThePeerIsMade) {
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    awt::Frame frame(L"visibility");
    awt::Panel panel;
    Box box(1, 1);
    frame.add(&panel);
    panel.add(&box);
    box.setVisible(false);
    EXPECT_FALSE(toolkit.isInvalid(&panel));

    frame.setVisible(true);
    EXPECT_TRUE(IsWindowVisible(frame.getHandle()));
    EXPECT_FALSE(IsWindowVisible(box.getHandle()));
    EXPECT_TRUE(toolkit.isInvalid(&frame));
    toolkit.validateInvalid();

    // With a peer, the parent and the window are laid out again.
    box.setVisible(true);
    EXPECT_TRUE(IsWindowVisible(box.getHandle()));
    EXPECT_TRUE(toolkit.isInvalid(&panel));
    EXPECT_TRUE(toolkit.isInvalid(&frame));
    toolkit.validateInvalid();

    // A peer that the system destroyed is let go, and showing again makes a
    // new one.
    DestroyWindow(frame.getHandle());
    EXPECT_EQ(frame.getHandle(), nullptr);
    EXPECT_EQ(box.getHandle(), nullptr);
    frame.setVisible(true);
    EXPECT_TRUE(IsWindowVisible(box.getHandle()));
    frame.dispose();
    EXPECT_FALSE(frame.isVisible());
}

TEST(Peers, RepaintReachesTheChildrenThatTheAreaOverlaps) {
    struct Painted : awt::Panel {
        LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_PAINT) ++paints;
            return awt::Panel::handleMessage(message, wParam, lParam);
        }
        int paints = 0;
    };
    awt::Frame frame(L"repaint");
    frame.setBounds(100, 100, 300, 200);
    awt::Panel panel;
    Painted left, right;
    panel.setBounds(0, 0, 200, 100);
    left.setBounds(0, 0, 50, 50);
    right.setBounds(100, 0, 50, 50);
    frame.add(&panel);
    panel.add(&left);
    panel.add(&right);
    frame.setVisible(true);
    awt_test::runFor(100);

    left.paints = right.paints = 0;
    panel.repaint(40, 10, 20, 20);
    EXPECT_EQ(left.paints, 1);
    EXPECT_EQ(right.paints, 0);

    panel.setVisible(false);
    panel.repaint(0, 0, 200, 100);
    EXPECT_EQ(left.paints, 1);
    frame.dispose();
}

TEST(Peers, FailuresCarryTheirMessages) {
    struct Unregistered : Box {
        using Box::Box;
        const wchar_t* getClassName() override { return L"velmora no such class"; }
    };
    struct Claimed : Box {
        using Box::Box;
        HWND createPeer() override {
            HWND window = Box::createPeer();
            SetWindowLongPtrW(window, GWLP_USERDATA, 1234);
            handle = window;
            return window;
        }
        HWND handle = nullptr;
    };
    awt::Frame frame(L"failures");
    frame.setVisible(true);

    Unregistered unregistered(1, 1);
    EXPECT_EQ(messageOf([&] { frame.add(&unregistered); }), L"CreateWindowEx() failed");

    Claimed claimed(1, 1);
    EXPECT_EQ(messageOf([&] { frame.add(&claimed); }), L"window user data already set");
    EXPECT_EQ(claimed.getHandle(), nullptr);
    EXPECT_FALSE(IsWindow(claimed.handle));

    Box broken(1, 1);
    frame.add(&broken);
    HWND handle = broken.getHandle();
    SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
    EXPECT_EQ(messageOf([&] { broken.removeNotify(); }), L"window user data broken");
    EXPECT_EQ(broken.getHandle(), handle);
    SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&broken));
    frame.dispose();
}

// Only a process whose first frame finds the class name taken can see the
// registration fail.
TEST(Peers, ATakenFrameClassNameFailsTheRegistration) {
    WNDCLASSEXW taken{};
    taken.cbSize = sizeof taken;
    taken.lpfnWndProc = DefWindowProcW;
    taken.hInstance = GetModuleHandleW(nullptr);
    taken.lpszClassName = L"awt::Frame";
    if (!RegisterClassExW(&taken)) GTEST_SKIP() << "this process has made frames already";
    awt::Frame frame(L"unregistered");
    EXPECT_EQ(messageOf([&] { frame.setVisible(true); }), L"RegisterClassEx(awt::Frame) failed");
    EXPECT_EQ(frame.getHandle(), nullptr);
    UnregisterClassW(L"awt::Frame", GetModuleHandleW(nullptr));
}

TEST(Peers, ColoursReachOnlyTheChildrenThatTheToolkitMade) {
    struct Case {
        uint32_t foreground;
        uint32_t background;
        bool ownBrush;
    };
    const Case cases[] = {
        {Component::NO_COLOR, RGB(200, 10, 20), true},
        {RGB(1, 2, 3), RGB(200, 10, 20), true},
        {RGB(1, 2, 3), Component::NO_COLOR, false},
        {Component::NO_COLOR, Component::NO_COLOR, false},
    };
    awt::Frame frame(L"colours");
    awt::Panel parent;
    frame.add(&parent);
    frame.setVisible(true);
    HDC dc = GetDC(parent.getHandle());
    const auto ask = [&](HWND child) {
        SetTextColor(dc, RGB(9, 9, 9));
        SetBkColor(dc, RGB(8, 8, 8));
        return SendMessageW(parent.getHandle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(child));
    };
    // What the parent does for a window that is none of its components.
    const auto defaultBrush = ask(nullptr);
    const COLORREF defaultText = GetTextColor(dc);
    const COLORREF defaultBack = GetBkColor(dc);

    for (const Case& c : cases) {
        awt::Panel child;
        parent.add(&child);
        child.setForeground(c.foreground);
        child.setBackground(c.background);
        const auto brush = ask(child.getHandle());
        if (c.ownBrush) {
            LOGBRUSH logBrush{};
            ASSERT_TRUE(GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof logBrush, &logBrush));
            EXPECT_EQ(logBrush.lbColor, c.background);
            EXPECT_EQ(GetBkColor(dc), c.background);
            EXPECT_EQ(GetTextColor(dc),
                      c.foreground != Component::NO_COLOR ? c.foreground : RGB(9, 9, 9));
            // One brush per child, reused for every paint.
            EXPECT_EQ(ask(child.getHandle()), brush);
        } else {
            EXPECT_EQ(brush, defaultBrush);
            EXPECT_EQ(GetBkColor(dc), defaultBack);
            EXPECT_EQ(GetTextColor(dc),
                      c.foreground != Component::NO_COLOR ? c.foreground : defaultText);
        }
        parent.remove(&child);
    }

    // A window that the toolkit did not make keeps the default colours.
    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, parent.getHandle(),
                                   nullptr, nullptr, nullptr);
    EXPECT_EQ(ask(foreign), defaultBrush);
    EXPECT_EQ(GetTextColor(dc), defaultText);
    ReleaseDC(parent.getHandle(), dc);
    frame.dispose();
}

TEST(Peers, NotificationsGoBackToTheChildThatSentThem) {
    struct Button : Box {
        Button() : Box(60, 20) {}
        const wchar_t* getClassName() override { return L"BUTTON"; }
        LRESULT handleCommand(int code, WPARAM, bool& handled) override {
            codes.push_back(code);
            handled = true;
            return 77;
        }
        LRESULT handleNotify(int code, NMHDR* header, bool& handled) override {
            codes.push_back(code);
            handled = header->idFrom == 5;
            return 88;
        }
        std::vector<int> codes;
    };
    awt::Frame frame(L"notifications");
    awt::Panel panel;
    Button button;
    frame.add(&panel);
    panel.add(&button);
    panel.setBounds(0, 0, 100, 50);
    button.setBounds(5, 5, 60, 20);
    frame.setVisible(true);

    // A real click on the native button: BN_CLICKED is code 0.
    SendMessageW(button.getHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(button.codes, std::vector<int>{BN_CLICKED});

    EXPECT_EQ(SendMessageW(panel.getHandle(), WM_COMMAND, MAKEWPARAM(1, 3),
                           reinterpret_cast<LPARAM>(button.getHandle())),
              77);
    NMHDR header{button.getHandle(), 5, static_cast<UINT>(-2)};
    EXPECT_EQ(SendMessageW(panel.getHandle(), WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header)), 88);
    header.idFrom = 6;
    EXPECT_NE(SendMessageW(panel.getHandle(), WM_NOTIFY, 6, reinterpret_cast<LPARAM>(&header)), 88);
    EXPECT_EQ(button.codes, (std::vector<int>{BN_CLICKED, 3, -2, -2}));
    frame.dispose();
}

}  // namespace
