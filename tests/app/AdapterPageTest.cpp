#include <windows.h>

#include <gtest/gtest.h>

#include "../awt/GuiSupport.h"
#include "../core/ScratchDir.h"
#include "../items/ItemFixture.h"
#include "WindowTree.h"
#include "app/Velmora.h"
#include "awt/SharedLayouts.h"
#include "config/ClassTable.h"
#include "views/ItemViewFactory.h"

// The adapter page of the main window, used as a person uses it.
namespace {

using namespace awt_test;

// The group boxes, buttons, boxes and fields in sight: their texts, [x]
// before a ticked box, ~ after a greyed control.
std::wstring shown(HWND top) {
    std::wstring text;
    for (const window_tree::Entry& e : window_tree::list(top)) {
        if ((e.className != L"Button" && e.className != L"Edit") || !inSight(e.window, top))
            continue;
        text += (text.empty() ? L"" : L" ") + std::wstring(e.checked == 1 ? L"[x]" : L"") + e.text +
                (e.enabled ? L"" : L"~");
    }
    return text;
}

TEST(AdapterPage, KeyChoiceSwitchesTheGroups) {
    awt::SharedLayouts::create();
    ClassTable::registerClasses();
    installItemViews();
    ScratchKey scratch;
    ScratchDir items;
    scratch.set(L"ServiceName", REG_SZ, raw(L"{AA}"), L"cards\\1");
    scratch.set(L"Description", REG_SZ, raw(L"Intel"), L"cards\\1");
    scratch.set(L"MTU", REG_DWORD, raw(1400u), L"tcpip\\if\\{AA}");
    scratch.set(L"ttl", REG_DWORD, raw(64u), L"tcpip");
    items.write(L"root.xml",
                LR"(<groups><group id="nic" class="velmora.reg.nic.NICEnumerator">
<name>アダプタ</name><params><label>対象:</label><key>@KEY@\cards</key>
<classidValue>ServiceName</classidValue><nameValues><nameValue>Description</nameValue></nameValues>
<global><name>システム全体</name><key>@KEY@\tcpip</key></global>
<interfaces><key>@KEY@\tcpip\if</key></interfaces></params>
<group id="tcp"><name>TCP/IP</name>
<item class="velmora.reg.nic.NICValueItem" id="ttl"><name>寿命</name><params><key>@KEY@\tcpip</key>
<value>ttl</value><type>REG_DWORD</type><default>128</default><min>1</min><max>255</max>
<interfaces><inherit/></interfaces></params></item>
<item class="velmora.reg.nic.NICValueItem" id="mtu"><name>MTU</name><params><key>@KEY@\tcpip</key>
<value>MTU</value><type>REG_DWORD</type><default>1500</default><select>interfacesOnly</select>
</params></item></group>
</group></groups>)",
                scratch.path());
    Velmora window({L"/items", items.path()});
    show(window, 720, 480);
    // Laid out between messages, so only after a while.
    const auto showing = [&](const std::wstring& wanted) {
        return runUntil([&] { return shown(window.getHandle()) == wanted; }, 3000);
    };
    EXPECT_TRUE(showing(L"TCP/IP 64 ディフォルト 設定反映 キャンセル 設定をファイルに保存"))
        << shown(window.getHandle());

    HWND choice = nullptr;
    for (const window_tree::Entry& e : window_tree::list(window.getHandle()))
        if (e.className == L"ComboBox" && e.text == L"システム全体") choice = e.window;
    ASSERT_NE(choice, nullptr);
    RECT box;
    GetClientRect(choice, &box);
    xdotool(mousemove(choice, box.right / 2, box.bottom / 2) + L" click 1");
    runFor(300);
    EXPECT_TRUE(typeKeys(window, L"Down Return"));
    EXPECT_TRUE(
        showing(L"TCP/IP 64~ [x]未設定 1400 ディフォルト 設定反映 キャンセル 設定をファイルに保存"))
        << shown(window.getHandle());
    EXPECT_TRUE(screenshot(ADAPTER_SCREENSHOT));
    window.dispose();
}

}  // namespace
