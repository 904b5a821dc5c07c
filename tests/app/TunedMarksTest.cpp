#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "../awt/GuiSupport.h"
#include "../core/ScratchDir.h"
#include "../items/ItemFixture.h"
#include "WindowTree.h"
#include "app/Velmora.h"
#include "awt/SharedLayouts.h"
#include "config/ClassTable.h"
#include "views/ItemViewFactory.h"

namespace {

using namespace awt_test;

bool isGroupBox(HWND window) {
    wchar_t name[8];
    return GetClassNameW(window, name, 8) && lstrcmpiW(name, L"Button") == 0 &&
           (GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool isBold(HWND window) {
    LOGFONTW face{};
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    return GetObjectW(font, sizeof face, &face) && face.lfWeight >= FW_BOLD;
}

// The tree's nodes, then the group boxes and their labels in sight; * before
// a bold one.
std::wstring marks(HWND top) {
    std::wstring nodes, names;
    for (const window_tree::Entry& e : window_tree::list(top)) {
        const bool label =
            e.className == L"Static" && !e.text.empty() && isGroupBox(GetParent(e.window));
        if ((label || isGroupBox(e.window)) && window_tree::inSight(e.window, top))
            names += (isBold(e.window) ? L" *" : L" ") + e.text;
        if (e.className == WC_TREEVIEWW) nodes = window_tree::treeNodes(e.window);
    }
    return nodes + L" |" + names;
}

TEST(TunedMarks, NameSettingsAndCategoriesOffTheirDefaultAndFollowEdits) {
    awt::SharedLayouts::create();
    ClassTable::registerClasses();
    installItemViews();
    ScratchKey scratch;
    ScratchDir items;
    scratch.setDWORD(L"c", 1);
    scratch.set(L"t", REG_SZ, raw(L"b"));
    const std::wstring check =
        LR"(<item class="velmora.reg.RegCheckItem" id="c"><name>単独</name>
<affectTarget>system</affectTarget><params><key>@KEY@</key><value>c</value><type>REG_DWORD</type>
<true>1</true><false>0</false><default>0</default><label>使う</label></params></item>)";
    items.write(L"root.xml",
                LR"(<groups><group src="a.xml" expand="true">
<group src="b.xml"/></group></groups>)");
    items.write(L"a.xml",
                LR"(<group id="a"><name>親</name><group id="pair"><name>組</name>
<item class="velmora.reg.RegValueItem" id="n"><name>数</name><params><key>@KEY@</key>
<value>n</value><type>REG_DWORD</type><default>10</default></params></item>
<item class="velmora.reg.RegToggleItem" id="t"><name>方式</name><affectTarget>user</affectTarget>
<params><key>@KEY@</key><value>t</value><type>REG_SZ</type><default>a</default>
<select><item value="a">甲</item><item value="b">乙</item></select></params></item>
<item class="velmora.generic.ExecItem" id="x"><name>起動</name>
<params><file><name>メモ帳</name><file>notepad.exe</file></file></params></item></group></group>)",
                scratch.path());
    items.write(L"b.xml", L"<group id=\"b\"><name>子</name>" + check + L"</group>", scratch.path());
    Velmora window({L"/items", items.path()});
    show(window, 720, 480);
    const auto press = [&](const std::wstring& text) {
        for (const window_tree::Entry& e : window_tree::list(window.getHandle()))
            if (e.text == text && window_tree::inSight(e.window, window.getHandle()))
                xdotool(mousemove(e.window, 5, e.height / 2) + L" click 1");
    };
    const struct {
        std::function<void()> edit;
        std::wstring marks;
    } steps[] = {
        {[] {}, L"*親[*子] *子 | 組 数 *方式 起動"},
        {[&] { press(L"甲"); }, L"*親[*子] *子 | 組 数 方式 起動"},
        {[&] { window.selectNeighbourCategory(+1); }, L"*親[*子] *子 | *単独"},
        {[&] { press(L"使う"); }, L"親[子] 子 | 単独"},
        {[&] { window.selectNeighbourCategory(-1); }, L"親[子] 子 | 組 数 方式 起動"},
        {[&] { press(L"乙"); }, L"*親[子] 子 | 組 数 *方式 起動"},
        {[&] { window.setTargetFilter(AffectTarget::SYSTEM); }, L"親[子] 子 | 組 数 起動"},
        {[&] { window.setTargetFilter(AffectTarget::ALL); }, L"*親[子] 子 | 組 数 *方式 起動"},
        {[&] { window.getSearchField().getField().setText(L"数"); }, L"親 | 組 数"},
        {[&] { window.getSearchField().getField().setText(L""); },
         L"*親[子] 子 | 組 数 *方式 起動"},
    };
    for (const auto& step : steps) {
        step.edit();
        EXPECT_TRUE(runUntil([&] { return marks(window.getHandle()) == step.marks; }, 3000))
            << marks(window.getHandle());
        if (&step == &steps[0]) {
            EXPECT_TRUE(screenshot(MARKS_SCREENSHOT));
        }
    }
    window.dispose();
}

}  // namespace
