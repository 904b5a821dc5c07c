#include <windows.h>
// After windows.h, which they rely on.
#include <imm.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include "../core/MessageOf.h"
#include "GuiSupport.h"
#include "awt/Button.h"
#include "awt/Checkbox.h"
#include "awt/CheckboxGroup.h"
#include "awt/Choice.h"
#include "awt/NumberField.h"
#include "awt/TextArea.h"
#include "core/Exception.h"

// The controls on the test display, used as a person uses them: clicks and
// keys from the X server, and what comes out of the listeners.
namespace {

using namespace awt_test;

void clickAndWait(const awt::Component& c, Recorder& log, size_t lines) {
    click(c, 10, c.getSize().height / 2);
    ASSERT_TRUE(runUntil([&] { return log.lines.size() >= lines; }));
    runFor(200);  // nothing more may follow
}

LRESULT checkOf(const awt::Component& c) { return SendMessageW(c.getHandle(), BM_GETCHECK, 0, 0); }

TEST(Buttons, AClickRaisesOneEventOfItsKindAndTheProgramRaisesNone) {
    awt::Frame frame(L"buttons");
    awt::Button button(L"適用");
    awt::Checkbox box(L"有効にする", false);
    Recorder log;
    log.names = {{&button, L"button"}, {&box, L"box"}};
    button.addActionListener(&log);
    box.addActionListener(&log);
    box.addItemListener(&log);
    button.setBounds(10, 10, 100, 26);
    box.setBounds(10, 50, 150, 24);
    frame.add(&button);
    frame.add(&box);
    show(frame);

    clickAndWait(button, log, 1);
    clickAndWait(box, log, 2);
    EXPECT_EQ(log.lines, (Lines{L"action button", L"item box"}));
    EXPECT_TRUE(box.getState());
    box.setState(false);
    EXPECT_EQ(checkOf(box), BST_UNCHECKED);
    runFor(100);
    EXPECT_EQ(log.lines.size(), 2u);

    const int32_t width = button.getPreferredSize().width;
    button.setLabel(L"設定をファイルに保存");
    EXPECT_GT(button.getPreferredSize().width, width);

    // A box that the program made three-state reaches a state that a check
    // box cannot have; the click fails instead of reporting a wrong state.
    box.removeStyle(0xF);
    box.addStyle(BS_AUTO3STATE);
    SendMessageW(box.getHandle(), BM_SETCHECK, BST_CHECKED, 0);
    click(box, 40, 12);  // not a double click
    EXPECT_EQ(messageOf<Exception>([&] { runUntil([] { return false; }, 3000); }),
              L"illegal check box state: 2");
}

TEST(CheckboxGroup, ArrowKeysMoveTheCheckLikeAClickWithoutWrappingAndNeverReachTheButtons) {
    struct Radio : awt::Checkbox {
        using Checkbox::Checkbox;
        LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_KEYDOWN && wParam != VK_F12) nativeKeys.push_back(wParam);
            return Checkbox::handleMessage(message, wParam, lParam);
        }
        std::vector<WPARAM> nativeKeys;
    };
    awt::Frame frame(L"radio");
    awt::CheckboxGroup group;
    Radio radios[] = {{L"小", true, &group}, {L"中", false, &group}, {L"大", false, &group}};
    Recorder log;
    group.setBounds(10, 10, 380, 30);
    frame.add(&group);
    for (int i = 0; i < 3; ++i) {
        group.add(&radios[i]);
        radios[i].setBounds(120 * i, 0, 110, 24);
        radios[i].addItemListener(&log);
        log.names[&radios[i]] = L"r" + std::to_wstring(i);
    }
    show(frame);
    const auto states = [&] {
        std::wstring s;
        for (const Radio& r : radios) s += r.getState() ? L'x' : L'-';
        for (const Radio& r : radios) s += checkOf(r) == BST_CHECKED ? L'x' : L'-';
        return s;
    };

    clickAndWait(radios[1], log, 1);
    EXPECT_EQ(log.lines, Lines{L"item r1"});
    EXPECT_EQ(states(), L"-x--x-");

    radios[1].requestFocus();
    ASSERT_TRUE(typeKeys(frame, L"Right"));
    EXPECT_EQ(states(), L"--x--x");
    EXPECT_EQ(GetFocus(), radios[2].getHandle());
    // At the end nothing moves, and still the button never sees the key.
    ASSERT_TRUE(typeKeys(frame, L"Right"));
    EXPECT_EQ(states(), L"--x--x");
    ASSERT_TRUE(typeKeys(frame, L"Left Up Up"));
    EXPECT_EQ(states(), L"x--x--");
    EXPECT_EQ(GetFocus(), radios[0].getHandle());
    for (const Radio& r : radios) EXPECT_TRUE(r.nativeKeys.empty());
    // Each move is heard from the button it checked; a key that moves
    // nothing says nothing.
    EXPECT_EQ(log.lines, (Lines{L"item r1", L"item r2", L"item r1", L"item r0"}));
}

TEST(Choice, ChoosingReportsTheNewIndexAndTheOpenListShowsEveryItem) {
    awt::Frame frame(L"choice");
    awt::Choice choice;
    Recorder log;
    log.names = {{&choice, L"choice"}};
    for (const wchar_t* item : {L"全カテゴリ", L"システムのみ", L"ユーザのみ", L""}) {
        choice.add(item);
    }
    choice.select(0);
    choice.addItemListener(&log);
    choice.setBounds(10, 10, 200, 24);
    frame.add(&choice);
    show(frame);
    const auto itemHeight =
        static_cast<int>(SendMessageW(choice.getHandle(), CB_GETITEMHEIGHT, 0, 0));
    RECT dropped;
    SendMessageW(choice.getHandle(), CB_GETDROPPEDCONTROLRECT, 0,
                 reinterpret_cast<LPARAM>(&dropped));
    EXPECT_GE(dropped.bottom - dropped.top, 4 * itemHeight);
    const int32_t width = choice.getPreferredSize().width;
    choice.add(L"もっと長い項目の名前です");
    EXPECT_EQ(SendMessageW(choice.getHandle(), CB_GETCOUNT, 0, 0), 5);
    EXPECT_GT(choice.getPreferredSize().width, width);

    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(choice.getHandle(), &info));
    EXPECT_FALSE(choice.isDropped());
    click(choice, 20, 12);
    ASSERT_TRUE(runUntil([&] { return IsWindowVisible(info.hwndList); }));
    EXPECT_TRUE(choice.isDropped());
    RECT list;
    GetClientRect(info.hwndList, &list);
    EXPECT_GE(list.bottom, 5 * itemHeight);
    xdotool(mousemove(info.hwndList, 20, 3 * itemHeight + itemHeight / 2) + L" sleep 0.2 click 1");
    ASSERT_TRUE(runUntil([&] { return !log.lines.empty(); }));
    runFor(200);
    EXPECT_EQ(log.lines, Lines{L"item choice"});
    EXPECT_EQ(choice.getSelectedIndex(), 3);
    EXPECT_FALSE(choice.isDropped());

    choice.select(-1);
    EXPECT_EQ(SendMessageW(choice.getHandle(), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(messageOf<Exception>([&] { choice.select(5); }), L"index: 5");
    EXPECT_EQ(choice.getSelectedIndex(), -1);
    EXPECT_EQ(log.lines.size(), 1u);
}

TEST(NumberField, StepsWithArrowKeysFollowsTypingAtOnceAndRewritesTheTextLater) {
    awt::Frame frame(L"number");
    awt::NumberField field(7);
    field.setUnitIncrement(5);
    field.setMinimum(0);
    field.setMaximum(102);
    Recorder log;
    field.addAdjustmentListener(&log);
    field.setBounds(10, 10, field.getPreferredSize().width, field.getPreferredSize().height);
    frame.add(&field);
    show(frame);
    EXPECT_EQ(ImmGetContext(field.getHandle()), nullptr);
    field.requestFocus();

    // The steps are checked without a window in ContainerTest.cpp; here a
    // real key, with Ctrl, which the toolkit reads as the key arrives.
    ASSERT_TRUE(typeKeys(frame, L"ctrl+Up"));
    EXPECT_EQ(log.lines, Lines{L"adjust 0 102"});
    EXPECT_EQ(field.getText(), L"102");

    // Ctrl+A selects the whole text, as in the system's own fields.
    field.setValue(7, 9);
    ASSERT_TRUE(typeKeys(frame, L"Home ctrl+a 4 2"));
    EXPECT_EQ(field.getText(), L"42");

    // Typing over the text: the value follows each number at once, within
    // the bounds; the text stays as typed until the timer rewrites it.
    field.setUnitIncrement(1);
    field.setMaximum(100);
    field.setValue(0, 0);
    log.lines.clear();
    ASSERT_TRUE(typeKeys(frame, L"End BackSpace 1 5 0"));
    EXPECT_EQ(log.lines, (Lines{L"adjust 0 1", L"adjust 0 15", L"adjust 0 100"}));
    EXPECT_EQ(field.getValue(), 100);
    EXPECT_EQ(field.getText(), L"150");
    ASSERT_TRUE(runUntil([&] { return field.getText() == L"100"; }));
    const DWORD delay = GetTickCount() - log.adjustedAt;
    EXPECT_GE(delay, 1800u);
    EXPECT_LE(delay, 2600u);
    EXPECT_EQ(SendMessageW(field.getHandle(), EM_GETSEL, 0, 0),
              MAKELRESULT(3, 3));  // caret at the end
    EXPECT_EQ(log.lines.size(), 3u);
}

TEST(TextArea, ReadOnlyIgnoresKeysShowsItsRowsAndSpacesEveryParagraph) {
    awt::Frame frame(L"text");
    awt::TextArea area(L"一行目\r\n二行目\r\n三行目", 4, 30);
    area.setEditable(false);
    const awt::Size preferred = area.getPreferredSize();
    area.setBounds(10, 10, preferred.width, preferred.height);
    frame.add(&area);
    show(frame);

    EXPECT_NE(GetWindowLongPtrW(area.getHandle(), GWL_STYLE) & ES_READONLY, 0);
    wchar_t before[32], after[32];
    GetWindowTextW(area.getHandle(), before, 32);
    area.requestFocus();
    ASSERT_TRUE(typeKeys(frame, L"q"));
    GetWindowTextW(area.getHandle(), after, 32);
    EXPECT_STREQ(after, before);

    // The area is tall enough for its rows of lines and has the window's
    // background. Every paragraph is spaced, also of text set later.
    RECT client;
    GetClientRect(area.getHandle(), &client);
    HDC dc = GetDC(area.getHandle());
    EXPECT_EQ(GetPixel(dc, client.right - 4, client.bottom - 4), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(area.getHandle(), dc);
    POINTL second{};
    SendMessageW(area.getHandle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second),
                 SendMessageW(area.getHandle(), EM_LINEINDEX, 1, 0));
    EXPECT_GE(client.bottom, 4 * second.y - 4);
    area.setLineSpacing(600);
    area.setText(L"一\r\n二\r\n三");
    SendMessageW(area.getHandle(), EM_SETSEL, 0, -1);
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    SendMessageW(area.getHandle(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_NE(format.dwMask & PFM_LINESPACING, 0u);
    EXPECT_EQ(format.bLineSpacingRule, 3);
    EXPECT_EQ(format.dyLineSpacing, 600);
}

}  // namespace
