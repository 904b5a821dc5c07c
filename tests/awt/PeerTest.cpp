#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GuiSupport.h"
#include "TestComponents.h"
#include "awt/BorderedPanel.h"
#include "awt/Toolkit.h"

// Native windows: when peers come and go, what they look like, and when the
// toolkit calls the native side.
namespace {

using awt::Component;
using awt_test::Box;
using awt_test::Edit;
using awt_test::thrownMessage;

LONG_PTR styleOf(const Component& c) { return GetWindowLongPtrW(c.getHandle(), GWL_STYLE); }

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
    edit.setEnabled(false);
    frame.setVisible(true);

    // A child made before its parent would have had no parent window.
    for (Component* c : std::vector<Component*>{&frame, &outer, &group, &edit, &hidden}) {
        EXPECT_EQ(Component::fromHandle(c->getHandle()), c);
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(c->getHandle(), WM_GETFONT, 0, 0)),
                  GetStockObject(DEFAULT_GUI_FONT));
        if (c != &frame) {
            EXPECT_EQ(GetParent(c->getHandle()), c->getParent()->getHandle());
        }
    }
    const LONG_PTR container = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_GROUP;
    EXPECT_EQ(styleOf(hidden), container | SS_NOTIFY);
    EXPECT_EQ(styleOf(group), container | WS_VISIBLE | 0x4507);
    // An edit control trades WS_BORDER for an extended style of its own.
    EXPECT_EQ(styleOf(edit) & ~WS_BORDER,
              WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE | WS_DISABLED | WS_TABSTOP);
    EXPECT_EQ(styleOf(frame) & (WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CHILD),
              WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    wchar_t className[16];
    GetClassNameW(frame.getHandle(), className, 16);
    EXPECT_STREQ(className, L"awt::Frame");
    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, frame.getHandle(),
                                   nullptr, nullptr, nullptr);
    EXPECT_EQ(Component::fromHandle(foreign), nullptr);
    frame.dispose();
    EXPECT_EQ(edit.getHandle(), nullptr);
    EXPECT_FALSE(IsWindow(foreign));
}

TEST(Peers, ComeAtOnceInAShowingContainerAndGoWithRemovalOrTheSystem) {
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    awt::Frame frame(L"adding");
    auto panel = std::make_unique<awt::Panel>();
    Box box(1, 1);
    frame.add(panel.get());
    panel->add(&box);
    box.setVisible(false);
    frame.setVisible(true);
    EXPECT_FALSE(IsWindowVisible(box.getHandle()));
    toolkit.validateInvalid();
    box.setVisible(true);
    EXPECT_TRUE(IsWindowVisible(box.getHandle()));
    EXPECT_TRUE(toolkit.isInvalid(panel.get()) && toolkit.isInvalid(&frame));

    Edit edit;
    panel->add(&edit);
    HWND handle = edit.getHandle();
    EXPECT_EQ(GetParent(handle), panel->getHandle());
    panel->remove(&edit);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(edit.getHandle(), nullptr);

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

TEST(Peers, OnlyRealChangesReachTheNativeWindowAndOnlyResizingQueuesLayout) {
    struct Counting : Box {
        Counting() : Box(1, 1) {}
        LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            moves += message == WM_WINDOWPOSCHANGING;
            return Box::handleMessage(message, wParam, lParam);
        }
        int moves = 0;
    };
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    awt::Frame frame(L"geometry");
    Counting box;
    frame.add(&box);
    frame.setVisible(true);
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
    MapWindowPoints(nullptr, frame.getHandle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(std::vector<LONG>({rect.left, rect.top, rect.right, rect.bottom}),
              std::vector<LONG>({12, 22, 44, 64}));
}

TEST(Peers, FailuresCarryTheirMessages) {
    struct Failing : Box {
        Failing() : Box(1, 1) {}
        const wchar_t* getClassName() override { return claim ? L"STATIC" : L"no such class"; }
        HWND createPeer() override {
            window = Box::createPeer();
            if (claim) SetWindowLongPtrW(window, GWLP_USERDATA, 1234);
            return window;
        }
        bool claim = false;
        HWND window = nullptr;
    };
    // Only while the frame class is not yet registered can its name be
    // taken first, as it is here when this test runs in a process alone.
    awt::Frame frame(L"failures");
    WNDCLASSEXW taken{};
    taken.cbSize = sizeof taken;
    taken.lpfnWndProc = DefWindowProcW;
    taken.hInstance = GetModuleHandleW(nullptr);
    taken.lpszClassName = L"awt::Frame";
    if (RegisterClassExW(&taken)) {
        EXPECT_EQ(thrownMessage([&] { frame.setVisible(true); }),
                  L"RegisterClassEx(awt::Frame) failed");
        UnregisterClassW(L"awt::Frame", taken.hInstance);
    }
    frame.setVisible(true);
    Failing unregistered, claimed;
    claimed.claim = true;
    EXPECT_EQ(thrownMessage([&] { frame.add(&unregistered); }), L"CreateWindowEx() failed");
    EXPECT_EQ(thrownMessage([&] { frame.add(&claimed); }), L"window user data already set");
    EXPECT_FALSE(IsWindow(claimed.window));

    Box broken(1, 1);
    frame.add(&broken);
    SetWindowLongPtrW(broken.getHandle(), GWLP_USERDATA, 0);
    EXPECT_EQ(thrownMessage([&] { broken.removeNotify(); }), L"window user data broken");
    SetWindowLongPtrW(broken.getHandle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&broken));
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
    awt::Panel parent;
    Button button;
    Box child(1, 1);
    frame.add(&parent);
    parent.add(&button);
    parent.add(&child);
    parent.setBounds(0, 0, 100, 50);
    button.setBounds(5, 5, 60, 20);
    frame.setVisible(true);

    // A click on the native button comes back to it as BN_CLICKED; a
    // notification that it does not handle gets default processing.
    SendMessageW(button.getHandle(), BM_CLICK, 0, 0);
    NMHDR header{button.getHandle(), 5, static_cast<UINT>(-2)};
    EXPECT_EQ(SendMessageW(parent.getHandle(), WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header)), 0);
    EXPECT_EQ(button.codes, (std::vector<int>{BN_CLICKED, -2}));

    HDC dc = GetDC(parent.getHandle());
    const auto ask = [&](HWND window) {
        SetTextColor(dc, RGB(9, 9, 9));
        return SendMessageW(parent.getHandle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(window));
    };
    const auto defaultBrush = ask(nullptr);
    const COLORREF defaultText = GetTextColor(dc);
    EXPECT_EQ(ask(child.getHandle()), defaultBrush);
    child.setForeground(RGB(1, 2, 3));
    EXPECT_EQ(ask(child.getHandle()), defaultBrush);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    child.setBackground(RGB(200, 10, 20));
    const auto brush = ask(child.getHandle());
    LOGBRUSH logBrush{};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof logBrush, &logBrush);
    EXPECT_EQ(logBrush.lbColor, RGB(200, 10, 20));
    EXPECT_EQ(GetBkColor(dc), RGB(200, 10, 20));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(ask(child.getHandle()), brush);
    // A window that the toolkit did not make keeps the default colours.
    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, parent.getHandle(),
                                   nullptr, nullptr, nullptr);
    EXPECT_EQ(ask(foreign), defaultBrush);
    EXPECT_EQ(GetTextColor(dc), defaultText);
    ReleaseDC(parent.getHandle(), dc);
}

}  // namespace
