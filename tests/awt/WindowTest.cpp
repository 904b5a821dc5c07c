#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "GuiSupport.h"
#include "TestComponents.h"
#include "awt/BorderLayout.h"
#include "awt/BorderedPanel.h"
#include "awt/Frame.h"
#include "awt/Panel.h"
#include "awt/Toolkit.h"
#include "core/Exception.h"

// Top-level windows and what the toolkit does on their behalf.
namespace {

using awt_test::Bounds;
using awt_test::boundsOf;
using awt_test::Box;
using awt_test::runUntil;

awt::Size clientSizeOf(HWND window) {
    RECT rect;
    GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

struct ClosingLog : awt::WindowListener {
    void windowClosing(awt::WindowEvent& e) override {
        ++count;
        source = e.source;
        if (disposeAndQuit) {
            frame->dispose();
            PostQuitMessage(0);
        }
        if (failure != nullptr) throw Exception(failure);
    }
    int count = 0;
    awt::Component* source = nullptr;
    awt::Frame* frame = nullptr;
    bool disposeAndQuit = false;
    const wchar_t* failure = nullptr;
};

TEST(Window, PackSizesTheFrameAndLayoutFollowsNativeResizing) {
    awt::Frame frame(L"layout");
    awt::BorderLayout layout;
    frame.setLayout(&layout);
    Box north(120, 30), center(200, 100);
    frame.add(&north, &awt::BorderLayout::NORTH);
    frame.add(&center, &awt::BorderLayout::CENTER);
    frame.setLocation(50, 60);
    frame.pack();

    // The preferred size is an outer size: the client area fits the children.
    EXPECT_EQ(clientSizeOf(frame.getHandle()), (awt::Size{200, 130}));
    EXPECT_EQ(frame.getLocation(), (awt::Point{50, 60}));
    frame.setVisible(true);
    ASSERT_TRUE(runUntil([&] { return boundsOf(center) == Bounds{0, 30, 200, 100}; }));
    EXPECT_EQ(boundsOf(north), (Bounds{0, 0, 200, 30}));

    // As if the user dragged the border: WM_SIZE, then a queued layout.
    const awt::Size outer = frame.getSize();
    SetWindowPos(frame.getHandle(), nullptr, 0, 0, outer.width + 40, outer.height + 20,
                 SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(frame.getSize(), (awt::Size{outer.width + 40, outer.height + 20}));
    ASSERT_TRUE(runUntil([&] { return boundsOf(center) == Bounds{0, 30, 240, 120}; }));

    SetWindowPos(frame.getHandle(), nullptr, 70, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(frame.getLocation(), (awt::Point{70, 80}));
    frame.dispose();
}

TEST(Window, TheMinimumSizeHoldsAgainstSizing) {
    awt::Frame frame(L"minimum");
    frame.setBounds(100, 100, 400, 300);
    frame.setVisible(true);
    frame.setMinimumSize(300, 200);
    MINMAXINFO info{};
    SendMessageW(frame.getHandle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMinTrackSize.y, 200);

    // The system keeps the window from shrinking below it, and the frame
    // learns the size it really got.
    frame.setSize(100, 100);
    EXPECT_EQ(frame.getSize(), (awt::Size{300, 200}));

    // While the user drags the border, the layout follows only if the
    // system shows the window's contents during the drag.
    BOOL wasFullDrag = FALSE;
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &wasFullDrag, 0);
    for (const BOOL fullDrag : {FALSE, TRUE}) {
        SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, fullDrag, nullptr, 0);
        awt::Toolkit::getDefaultToolkit().validateInvalid();
        RECT proposed{100, 100, 450, 260};
        SendMessageW(frame.getHandle(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
        EXPECT_EQ(frame.getSize(), (fullDrag ? awt::Size{350, 160} : awt::Size{300, 200}));
        EXPECT_EQ(awt::Toolkit::getDefaultToolkit().isInvalid(&frame), fullDrag != FALSE);
    }
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, wasFullDrag, nullptr, 0);
    frame.dispose();
}

TEST(Window, ClosingBySystemCommandReportsWindowClosing) {
    awt::Frame frame(L"closing");
    ClosingLog log;
    log.frame = &frame;
    frame.addWindowListener(&log);
    frame.setVisible(true);

    // A listener that only listens: the command reports closing (its low
    // four bits are the system's), default processing turns it into
    // WM_CLOSE, which reports it again and then destroys the window.
    PostMessageW(frame.getHandle(), WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    ASSERT_TRUE(runUntil([&] { return frame.getHandle() == nullptr; }));
    EXPECT_EQ(log.count, 2);
    EXPECT_EQ(log.source, static_cast<awt::Component*>(&frame));

    // A listener that disposes and quits, as the program's main window does.
    log.count = 0;
    log.disposeAndQuit = true;
    frame.setVisible(true);
    PostMessageW(frame.getHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(awt::Toolkit::getDefaultToolkit().run(), 0);
    EXPECT_EQ(log.count, 1);
    EXPECT_EQ(frame.getHandle(), nullptr);
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
    try {
        toolkit.run();
        ADD_FAILURE() << "the loop ended without the listener's exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.getMessage(), L"closing failed");
    }

    // Thrown where the message was sent, not held until later.
    struct Refusing : awt::FocusListener {
        void focusGained(awt::FocusEvent&) override { throw Exception(L"no focus"); }
    } refusing;
    awt_test::Edit edit;
    frame.add(&edit);
    edit.addFocusListener(&refusing);
    try {
        edit.requestFocus();
        ADD_FAILURE() << "requestFocus hid the listener's exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.getMessage(), L"no focus");
    }
    edit.removeFocusListener(&refusing);
    frame.dispose();
}

TEST(Window, SetIconsGivesTheWindowBothIcons) {
    awt::Frame frame(L"icons");
    frame.setVisible(true);
    HICON smallIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32516));  // IDI_INFORMATION
    HICON bigIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32515));    // IDI_WARNING
    frame.setIcons(smallIcon, bigIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(frame.getHandle(), WM_GETICON, ICON_SMALL, 0)),
              smallIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(frame.getHandle(), WM_GETICON, ICON_BIG, 0)),
              bigIcon);
    frame.dispose();
}

TEST(BorderedPanel, InsetsComeOnceFromItsFontAndItsWholeAreaTakesTheMouse) {
    awt::Frame frame(L"bordered");
    awt::BorderedPanel group(L"グループ");
    frame.add(&group);
    group.setBounds(10, 10, 200, 100);
    frame.setVisible(true);

    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    const int32_t h = tm.tmHeight;
    const awt::Insets expected{
        h + h / 2 + tm.tmExternalLeading, tm.tmAveCharWidth + GetSystemMetrics(SM_CXEDGE),
        h / 2 + GetSystemMetrics(SM_CYEDGE), tm.tmAveCharWidth + GetSystemMetrics(SM_CXEDGE)};
    EXPECT_EQ(group.getInsets(), expected);

    // A larger font later changes nothing.
    HFONT large =
        CreateFontW(40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    SendMessageW(group.getHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(large), FALSE);
    EXPECT_EQ(group.getInsets(), expected);
    SendMessageW(group.getHandle(), WM_SETFONT, 0, FALSE);
    DeleteObject(large);

    POINT inside{100, 50};
    ClientToScreen(group.getHandle(), &inside);
    EXPECT_EQ(SendMessageW(group.getHandle(), WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)),
              HTCLIENT);
    POINT outside{250, 50};
    ClientToScreen(group.getHandle(), &outside);
    EXPECT_NE(SendMessageW(group.getHandle(), WM_NCHITTEST, 0, MAKELPARAM(outside.x, outside.y)),
              HTCLIENT);
    frame.dispose();
}

TEST(Component, MeasuresTextInTheDefaultGuiFont) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE expected{};
    GetTextExtentPoint32W(dc, L"Wg設定", 4, &expected);
    TEXTMETRICW expectedMetrics{};
    GetTextMetricsW(dc, &expectedMetrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);

    awt::Frame frame(L"measuring");
    Box box(1, 1);
    frame.add(&box);
    for (int withPeer = 0; withPeer < 2; ++withPeer) {
        if (withPeer) frame.setVisible(true);
        awt::Size size;
        TEXTMETRICW metrics{};
        box.getTextExtent(L"Wg設定", &size, &metrics);
        EXPECT_EQ(size, (awt::Size{expected.cx, expected.cy})) << "with peer " << withPeer;
        EXPECT_EQ(metrics.tmHeight, expectedMetrics.tmHeight);
        EXPECT_EQ(metrics.tmAveCharWidth, expectedMetrics.tmAveCharWidth);
    }
    frame.dispose();
}

TEST(Toolkit, LoadsStringsOfUpTo255Characters) {
    const awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    EXPECT_EQ(toolkit.loadString(1), L"ディフォルト");
    EXPECT_EQ(toolkit.loadString(11), L"二行\n目");
    EXPECT_EQ(toolkit.loadString(2), std::wstring(255, L'x'));
    EXPECT_EQ(toolkit.loadString(999), L"");
}

}  // namespace
