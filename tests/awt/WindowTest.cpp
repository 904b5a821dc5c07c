#include <windows.h>

#include <gtest/gtest.h>

#include "GuiSupport.h"
#include "TestComponents.h"
#include "awt/BorderLayout.h"
#include "awt/BorderedPanel.h"
#include "awt/Toolkit.h"
#include "core/Exception.h"

// Top-level windows, and what the toolkit does on their behalf.
namespace {

using awt_test::Bounds;
using awt_test::runUntil;
using awt_test::thrownMessage;

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

TEST(Window, PackSizesTheFrameAndLayoutFollowsTheNativeSize) {
    awt::Frame frame(L"layout");
    awt::BorderLayout layout;
    frame.setLayout(&layout);
    awt_test::Box north(120, 30), center(200, 100);
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

TEST(Window, ClosingBySystemCommandReportsWindowClosing) {
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
    EXPECT_EQ(awt::Toolkit::getDefaultToolkit().run(), 0);
    EXPECT_EQ(log.count, 1);
}

TEST(Toolkit, RunEndsWithTheQuitCodeOrWhatAListenerThrew) {
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    PostQuitMessage(42);
    EXPECT_EQ(toolkit.run(), 42);

    awt::Frame frame(L"throwing");
    ClosingLog log;
    log.failure = L"closing failed";
    frame.addWindowListener(&log);
    frame.setVisible(true);
    PostMessageW(frame.getHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(thrownMessage([&] { toolkit.run(); }), L"closing failed");

    // Thrown by the call that sent the message, not held for later.
    struct Refusing : awt::FocusListener {
        void focusGained(awt::FocusEvent&) override { throw Exception(L"no focus"); }
    } refusing;
    awt_test::Edit edit;
    frame.add(&edit);
    edit.addFocusListener(&refusing);
    EXPECT_EQ(thrownMessage([&] { edit.requestFocus(); }), L"no focus");
    edit.removeFocusListener(&refusing);
}

TEST(Toolkit, GroupBoxInsetsComeOnceFromTheFontAndStringsHoldUpTo255Characters) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    awt::Frame frame(L"measuring");
    awt::BorderedPanel group(L"グループ");
    frame.add(&group);
    group.setBounds(10, 10, 200, 100);
    frame.setVisible(true);

    const int32_t h = tm.tmHeight;
    const int32_t side = tm.tmAveCharWidth + GetSystemMetrics(SM_CXEDGE);
    const awt::Insets insets{h + h / 2 + tm.tmExternalLeading, side,
                             h / 2 + GetSystemMetrics(SM_CYEDGE), side};
    EXPECT_EQ(group.getInsets(), insets);
    SendMessageW(group.getHandle(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FONT)), FALSE);
    EXPECT_EQ(group.getInsets(), insets);
    // Its whole area takes the mouse, unlike a plain group box.
    POINT inside{100, 50}, outside{250, 50};
    ClientToScreen(group.getHandle(), &inside);
    ClientToScreen(group.getHandle(), &outside);
    EXPECT_EQ(SendMessageW(group.getHandle(), WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)),
              HTCLIENT);
    EXPECT_NE(SendMessageW(group.getHandle(), WM_NCHITTEST, 0, MAKELPARAM(outside.x, outside.y)),
              HTCLIENT);

    const awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    EXPECT_EQ(toolkit.loadString(1), L"ディフォルト");
    EXPECT_EQ(toolkit.loadString(11), L"二行\n目");
    EXPECT_EQ(toolkit.loadString(2), std::wstring(255, L'x'));
    EXPECT_EQ(toolkit.loadString(999), L"");
}

}  // namespace
