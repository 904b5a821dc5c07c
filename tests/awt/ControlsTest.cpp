#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiSupport.h"
#include "TestComponents.h"
#include "awt/Button.h"
#include "awt/Checkbox.h"
#include "awt/CheckboxGroup.h"
#include "awt/Choice.h"
#include "core/StringUtil.h"

// The controls on the test display, used as a person uses them: clicks and
// keys from the X server, and what comes out of the listeners.
namespace {

using awt_test::runFor;
using awt_test::runUntil;
using awt_test::thrownMessage;
using awt_test::typeKeys;
using Lines = std::vector<std::wstring>;

// Every event it hears, as "kind source-name detail".
struct Log : awt::ActionListener, awt::ItemListener, awt::AdjustmentListener, awt::TextListener {
    void actionPerformed(awt::ActionEvent& e) override { lines.push_back(L"action " + name(e)); }
    void itemStateChanged(awt::ItemEvent& e) override { lines.push_back(L"item " + name(e)); }
    void adjustmentValueChanged(awt::AdjustmentEvent& e) override {
        lines.push_back(L"adjust " + toString(e.id) + L" " + toString(e.value));
        at = GetTickCount();
    }
    void textValueChanged(awt::TextEvent& e) override { lines.push_back(L"text " + name(e)); }
    std::wstring name(const awt::Event& e) {
        for (const auto& [component, label] : names) {
            if (component == e.source) return label;
        }
        return L"?";
    }
    Lines lines;
    std::vector<std::pair<const awt::Component*, std::wstring>> names;
    DWORD at = 0;
};

void show(awt::Frame& frame) {
    frame.setBounds(100, 100, 420, 240);
    frame.setVisible(true);
    runFor(100);
}

// A left click at a point of the component's client area.
void click(const awt::Component& c, int x, int y) {
    POINT point{x, y};
    ClientToScreen(c.getHandle(), &point);
    awt_test::xdotool(L"mousemove " + std::to_wstring(point.x) + L" " + std::to_wstring(point.y) +
                      L" click 1");
}

void clickAndWait(const awt::Component& c, Log& log, size_t lines) {
    click(c, 10, c.getSize().height / 2);
    ASSERT_TRUE(runUntil([&] { return log.lines.size() >= lines; }));
    runFor(200);  // nothing more may follow
}

LRESULT checkOf(const awt::Component& c) { return SendMessageW(c.getHandle(), BM_GETCHECK, 0, 0); }

TEST(Buttons, AClickRaisesOneEventOfItsKindAndTheProgramRaisesNone) {
    struct Counting : awt::Button {
        using Button::Button;
        LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            texts += message == WM_SETTEXT;
            return Button::handleMessage(message, wParam, lParam);
        }
        int texts = 0;
    };
    awt::Frame frame(L"buttons");
    Counting button(L"適用");
    awt::Checkbox box(L"有効にする", false);
    Log log;
    log.names = {{&button, L"button"}, {&box, L"box"}};
    button.addActionListener(&log);
    box.addActionListener(&log);
    box.addItemListener(&log);
    button.setBounds(10, 10, 100, 26);
    box.setBounds(10, 50, 150, 24);
    frame.add(&button);
    frame.add(&box);
    show(frame);
    EXPECT_EQ(GetWindowLongPtrW(box.getHandle(), GWL_STYLE) & 0xF, BS_AUTOCHECKBOX);

    clickAndWait(button, log, 1);
    clickAndWait(box, log, 2);
    EXPECT_EQ(log.lines, (Lines{L"action button", L"item box"}));
    EXPECT_TRUE(box.getState());
    box.setState(false);
    EXPECT_EQ(checkOf(box), BST_UNCHECKED);
    runFor(100);
    EXPECT_EQ(log.lines.size(), 2u);

    const int32_t width = button.getPreferredSize().width;
    button.setLabel(L"適用");
    EXPECT_EQ(button.texts, 0);
    button.setLabel(L"設定をファイルに保存");
    EXPECT_EQ(button.texts, 1);
    EXPECT_GT(button.getPreferredSize().width, width);

    // A box that the program made three-state reaches a state that a check
    // box cannot have; the click fails instead of reporting a wrong state.
    box.removeStyle(0xF);
    box.addStyle(BS_AUTO3STATE);
    SendMessageW(box.getHandle(), BM_SETCHECK, BST_CHECKED, 0);
    click(box, 40, 12);  // not a double click
    EXPECT_EQ(thrownMessage([&] { runUntil([] { return false; }, 3000); }),
              L"illegal check box state: 2");
}

TEST(CheckboxGroup, ArrowKeysMoveTheCheckWithoutWrappingOrEventsAndNeverReachTheButtons) {
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
    awt::Checkbox alone(L"単独", false);
    Log log;
    group.setBounds(10, 10, 380, 30);
    frame.add(&group);
    for (int i = 0; i < 3; ++i) {
        group.add(&radios[i]);
        radios[i].setBounds(120 * i, 0, 110, 24);
        radios[i].addItemListener(&log);
        log.names.emplace_back(&radios[i], L"r" + std::to_wstring(i));
    }
    show(frame);
    EXPECT_EQ(GetWindowLongPtrW(radios[0].getHandle(), GWL_STYLE) & 0xF, BS_AUTORADIOBUTTON);
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
    EXPECT_EQ(log.lines, Lines{L"item r1"});
}

TEST(Choice, ChoosingReportsTheNewIndexAndTheOpenListShowsEveryItem) {
    awt::Frame frame(L"choice");
    awt::Choice choice;
    Log log;
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
    click(choice, 20, 12);
    ASSERT_TRUE(runUntil([&] { return IsWindowVisible(info.hwndList); }));
    RECT list;
    GetClientRect(info.hwndList, &list);
    EXPECT_GE(list.bottom, 5 * itemHeight);
    // Without scrolling, the fourth item is where it would be.
    EXPECT_EQ(SendMessageW(info.hwndList, LB_GETTOPINDEX, 0, 0), 0);
    POINT fourth{20, 3 * itemHeight + itemHeight / 2};
    ClientToScreen(info.hwndList, &fourth);
    awt_test::xdotool(L"mousemove " + std::to_wstring(fourth.x) + L" " + std::to_wstring(fourth.y) +
                      L" sleep 0.2 click 1");
    ASSERT_TRUE(runUntil([&] { return !log.lines.empty(); }));
    runFor(200);
    EXPECT_EQ(log.lines, Lines{L"item choice"});
    EXPECT_EQ(choice.getSelectedIndex(), 3);

    choice.select(-1);
    EXPECT_EQ(SendMessageW(choice.getHandle(), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(thrownMessage([&] { choice.select(5); }), L"index: 5");
    EXPECT_EQ(choice.getSelectedIndex(), -1);
    EXPECT_EQ(log.lines.size(), 1u);
}

}  // namespace
