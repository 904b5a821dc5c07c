#include <windows.h>

#include <gtest/gtest.h>

#include "../awt/GuiSupport.h"
#include "../config/DefinitionDir.h"
#include "WindowTree.h"
#include "app/Velmora.h"
#include "awt/SharedLayouts.h"
#include "config/ClassTable.h"
#include "views/ItemViewFactory.h"

// The adapter page of the main window, used as a person uses it.
namespace {

using namespace awt_test;

std::string sz(const std::wstring& text) { return bytesOf(text + L'\0'); }
std::string dword(uint32_t n) { return {reinterpret_cast<const char*>(&n), 4}; }

// A card that is not shown lies above and left of its parent.
bool inSight(HWND window, HWND top) {
    for (; window != top; window = GetParent(window)) {
        RECT own, parent;
        GetWindowRect(window, &own);
        GetWindowRect(GetParent(window), &parent);
        if (!IsWindowVisible(window) || own.right <= parent.left || own.bottom <= parent.top)
            return false;
    }
    return true;
}

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
    DefinitionDir items;
    scratch.set(L"ServiceName", REG_SZ, sz(L"{AA}"), L"cards\\1");
    scratch.set(L"Description", REG_SZ, sz(L"Intel"), L"cards\\1");
    scratch.set(L"MTU", REG_DWORD, dword(1400), L"tcpip\\if\\{AA}");
    scratch.set(L"ttl", REG_DWORD, dword(64), L"tcpip");
    scratch.set(L"opts", REG_DWORD, dword(1), L"tcpip");
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
<group id="rfc"><name>TCP 拡張</name>
<item class="velmora.reg.nic.RFC1323OptsItem" id="opts"><name>拡張</name><params>
<key>@KEY@\tcpip</key><value>opts</value><default>0</default>
<select id="WindowScaling"><name>ウィンドウ拡大</name></select>
<select id="Timestamping"><name>タイムスタンプ</name></select></params></item></group>
</group></groups>)",
                scratch.path());
    Velmora window({L"/items", items.path()});
    show(window, 720, 480);
    // Laid out between messages, so only after a while.
    const auto showing = [&](const std::wstring& start) {
        return runUntil([&] { return shown(window.getHandle()).rfind(start, 0) == 0; }, 3000);
    };
    EXPECT_TRUE(
        showing(L"TCP/IP 64 ディフォルト TCP 拡張 [x]ウィンドウ拡大 タイムスタンプ 設定反映"))
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
    EXPECT_TRUE(showing(L"TCP/IP 64~ [x]未設定 1400 ディフォルト 設定反映"))
        << shown(window.getHandle());
    EXPECT_TRUE(screenshot(ADAPTER_SCREENSHOT));
    window.dispose();
}

}  // namespace
