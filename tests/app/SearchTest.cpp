#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "../awt/GuiSupport.h"
#include "../core/ScratchDir.h"
#include "../items/ItemFixture.h"
#include "WindowTree.h"
#include "app/Velmora.h"
#include "awt/SharedLayouts.h"
#include "config/ClassTable.h"
#include "views/ItemViewFactory.h"

// The search field of the main window, used as a person uses it.
namespace {

using namespace awt_test;

// The tree, then the texts of the fields, group boxes and check boxes in
// sight, the command buttons left out: "tree | search field, page".
std::wstring shown(HWND top) {
    const std::wstring commands[] = {L"設定反映", L"キャンセル", L"設定をファイルに保存", L""};
    std::wstring tree, page;
    for (const window_tree::Entry& e : window_tree::list(top)) {
        if (e.className == L"SysTreeView32") tree = window_tree::treeNodes(e.window);
        if ((e.className != L"Button" && e.className != L"Edit") ||
            !window_tree::inSight(e.window, top) ||
            std::find(std::begin(commands), std::end(commands), e.text) != std::end(commands))
            continue;
        page += L" " + e.text;
    }
    return tree + L" |" + page;
}

// 経路 MTU and 寿命 are the system's, 時計 and 方式 the user's.
TEST(Search, NarrowsTreeAndPagesWithTheTargetFilter) {
    awt::SharedLayouts::create();
    ClassTable::registerClasses();
    installItemViews();
    ScratchKey scratch;
    ScratchDir items;
    const auto item = [](const wchar_t* kind, const wchar_t* id, const wchar_t* target,
                         const std::wstring& body) {
        return std::wstring(L"<item class=\"velmora.reg.") + kind + L"\" id=\"" + id +
               L"\"><name>" + id + L"</name><affectTarget>" + target +
               L"</affectTarget><params><key>@KEY@</key><value>" + id + L"</value>" + body +
               L"</params></item>";
    };
    const std::wstring check = L"<type>REG_DWORD</type><true>1</true><false>0</false>";
    items.write(L"root.xml",
                LR"(<groups><group src="net.xml" expand="true"><group src="tcp.xml"/></group>
<group src="desk.xml"/></groups>)");
    items.write(L"net.xml", L"<group id=\"net\"><name>ネットワーク</name></group>");
    items.write(L"tcp.xml",
                L"<group id=\"tcp\"><name>TCP/IP</name><group id=\"pmtu\"><name>経路 MTU</name>" +
                    item(L"RegCheckItem", L"pmtu", L"system",
                         check + L"<default>1</default><label>経路を探す</label>") +
                    L"</group><group id=\"life\"><name>寿命</name><help>パケットの寿命</help>" +
                    item(L"RegValueItem", L"ttl", L"system",
                         L"<type>REG_DWORD</type><default>128</default>") +
                    L"</group></group>",
                scratch.path());
    items.write(
        L"desk.xml",
        L"<group id=\"desk\"><name>デスクトップ</name><group id=\"clock\"><name>時計</name>" +
            item(L"RegCheckItem", L"clock", L"user",
                 check + L"<default>0</default><label>タスクバーに時計を出す</label>") +
            L"</group><group id=\"mode\"><name>方式</name>" +
            item(L"RegToggleItem", L"mode", L"user",
                 L"<type>REG_SZ</type><default>a</default><select><item "
                 L"value=\"a\">Alpha</item><item value=\"b\">Beta</item></select>") +
            L"</group></group>",
        scratch.path());
    Velmora window({L"/items", items.path()});
    show(window, 720, 480);
    awt::TextField& field = window.getSearchField().getField();
    const auto showing = [&](const std::wstring& wanted) {
        return runUntil([&] { return shown(window.getHandle()) == wanted; }, 3000);
    };
    const std::wstring all = L"ネットワーク[TCP/IP] TCP/IP デスクトップ |";
    EXPECT_TRUE(showing(all)) << shown(window.getHandle());

    // Typed, in either width; a pure parent's page gives way to the first
    // page holding a find.
    EXPECT_TRUE(typeKeys(window, L"ctrl+f m t u"));
    EXPECT_TRUE(showing(L"ネットワーク[TCP/IP] TCP/IP | mtu 経路 MTU 経路を探す"))
        << shown(window.getHandle());
    EXPECT_TRUE(screenshot(SEARCH_SCREENSHOT));
    for (const auto& [text, wanted] : std::vector<std::pair<std::wstring, std::wstring>>{
             {L"\xFF2D\xFF34\xFF35", L"ネットワーク[TCP/IP] TCP/IP | ＭＴＵ 経路 MTU 経路を探す"},
             {L"パケット", L"ネットワーク[TCP/IP] TCP/IP | パケット 寿命 128 ディフォルト"},
             {L"beta", L"デスクトップ | beta 方式 Alpha Beta"},
             {L"ﾀｽｸﾊﾞｰ", L"デスクトップ | ﾀｽｸﾊﾞｰ 時計 タスクバーに時計を出す"},
             {L"xyz", L" | xyz"},
             {L"", all + L" 時計 タスクバーに時計を出す 方式 Alpha Beta"}}) {
        field.setText(text);
        EXPECT_TRUE(showing(wanted)) << shown(window.getHandle());
    }

    // The user's settings only: the system's are not found, the user's are.
    HWND choice = nullptr;
    for (const window_tree::Entry& e : window_tree::list(window.getHandle()))
        if (e.className == L"ComboBox") choice = e.window;
    ASSERT_NE(choice, nullptr);
    xdotool(mousemove(choice, 5, 5) + L" click 1");
    runFor(300);
    EXPECT_TRUE(typeKeys(window, L"Down Down Return"));
    field.setText(L"MTU");
    EXPECT_TRUE(showing(L" | MTU")) << shown(window.getHandle());
    field.setText(L"時計");
    EXPECT_TRUE(showing(L"デスクトップ | 時計 時計 タスクバーに時計を出す"))
        << shown(window.getHandle());

    // Enter keeps the window and applies nothing; Esc empties the field and
    // keeps the page on show, and only then closes the window.
    click(field, 5, 5);
    EXPECT_TRUE(typeKeys(window, L"Return Escape"));
    EXPECT_TRUE(showing(L"デスクトップ | 時計 タスクバーに時計を出す 方式 Alpha Beta"))
        << shown(window.getHandle());
    EXPECT_NE(window.getHandle(), nullptr) << "applied and closed";

    // Saving saves what the filter shows, not what the search does.
    field.setText(L"時計");
    const std::wstring saved = items.file(L"saved.reg");
    ASSERT_TRUE(window.saveTo(saved));
    std::ifstream in(saved.c_str(), std::ios::binary);
    const std::string data(std::istreambuf_iterator<char>(in), {});
    const std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2);
    EXPECT_NE(text.find(L"\"mode\""), std::wstring::npos) << toUtf8(text);
    EXPECT_EQ(text.find(L"\"ttl\""), std::wstring::npos) << toUtf8(text);

    EXPECT_TRUE(typeKeys(window, L"Escape"));
    // Back to all: the nodes come back in their places around the one kept.
    xdotool(mousemove(choice, 5, 5) + L" click 1");
    runFor(300);
    EXPECT_TRUE(typeKeys(window, L"Home Return"));
    EXPECT_TRUE(showing(all + L" 時計 タスクバーに時計を出す 方式 Alpha Beta"))
        << shown(window.getHandle());
    EXPECT_TRUE(typeKeys(window, L""));
    field.requestFocus();
    // To the focus, not to the window: a key sent to a window that its
    // press closes never comes up again, and the next test would start
    // with Esc held.
    xdotool(L"key Escape");
    EXPECT_TRUE(runUntil([&] { return window.getHandle() == nullptr; }));
}

}  // namespace
