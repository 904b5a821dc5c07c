#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "../config/DefinitionDir.h"
#include "WindowTree.h"
#include "app/Velmora.h"
#include "awt/SharedLayouts.h"
#include "config/ClassTable.h"
#include "items/Targets.h"
#include "views/ItemViewFactory.h"

// Saving from the main window: what the filter lets through, and a failure
// that must be shown while the window stays.
namespace {

// Closes the first message box of this process that comes up while it
// lives, keeping the box's text.
struct BoxAnswerer {
    BoxAnswerer() {
        current = this;
        timer = SetTimer(nullptr, 0, 50, tick);
    }
    ~BoxAnswerer() { KillTimer(nullptr, timer); }

    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        window_tree::Filter filter;
        filter.processId = GetCurrentProcessId();
        filter.className = L"#32770";
        const auto boxes = window_tree::findTopLevel(filter);
        if (boxes.empty()) return;
        for (const auto& entry : window_tree::list(boxes[0])) {
            if (entry.className == L"Static" && entry.text.size() > current->text.size())
                current->text = entry.text;
        }
        PostMessageW(boxes[0], WM_COMMAND, IDOK, 0);
    }

    static inline BoxAnswerer* current = nullptr;
    UINT_PTR timer;
    std::wstring text;
};

std::wstring readUtf16(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string raw = bytes.str();
    std::wstring text(raw.size() / 2, L'\0');
    std::copy(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(text.size() * 2),
              reinterpret_cast<char*>(text.data()));
    return text;
}

TEST(Save, WritesWhatTheFilterShowsOrShowsWhyNotAndTheWindowStays) {
    awt::SharedLayouts::create();
    ClassTable::registerClasses();
    installItemViews();
    ScratchKey scratch;
    DefinitionDir items;
    const std::wstring item =
        L"<item class=\"velmora.reg.RegValueItem\" id=\"@ID@\"><name>@ID@</name>"
        L"<affectTarget>@TARGET@</affectTarget><params><key>@KEY@</key><value>@ID@</value>"
        L"<type>REG_DWORD</type><default>5</default></params></item>";
    auto itemOf = [&](std::wstring id, const std::wstring& target) {
        std::wstring text = item;
        for (size_t at; (at = text.find(L"@ID@")) != std::wstring::npos;) text.replace(at, 4, id);
        text.replace(text.find(L"@TARGET@"), 8, target);
        return text;
    };
    items.write(L"root.xml",
                L"<groups><group id=\"c\"><name>c</name><group id=\"g\"><name>g</name>" +
                    itemOf(L"sys", L"system") + itemOf(L"usr", L"user") +
                    L"</group></group></groups>",
                scratch.path());
    Velmora window({L"/items", items.path()});
    window.setVisible(true);

    const std::wstring good = items.file(L"saved.reg");
    const std::wstring missing = items.path() + L"\\no-such-directory\\saved.reg";
    struct Case {
        uint32_t filter;
        std::wstring path;
        bool saved;
        std::vector<std::wstring> in, out;
    };
    const Case cases[] = {
        {AffectTarget::ALL, good, true, {L"\"sys\"=dword:00000005", L"\"usr\"=dword:00000005"}, {}},
        {AffectTarget::SYSTEM, good, true, {L"\"sys\"="}, {L"\"usr\"="}},
        {AffectTarget::USER, missing, false, {}, {}},
    };
    for (const Case& c : cases) {
        DeleteFileW(good.c_str());
        window.setTargetFilter(c.filter);
        BoxAnswerer box;
        EXPECT_EQ(window.saveTo(c.path), c.saved) << c.filter;
        const std::wstring file = readUtf16(good);
        for (const std::wstring& line : c.in) EXPECT_NE(file.find(line), std::wstring::npos) << line;
        for (const std::wstring& line : c.out) EXPECT_EQ(file.find(line), std::wstring::npos) << line;
        if (c.saved) {
            EXPECT_EQ(box.text, L"");
        } else {
            EXPECT_EQ(box.text.rfind(L"CreateFile: " + c.path + L": ", 0), 0u) << box.text;
            EXPECT_EQ(GetFileAttributesW(c.path.c_str()), INVALID_FILE_ATTRIBUTES);
        }
        EXPECT_TRUE(IsWindowVisible(window.getHandle()));
    }
    window.dispose();
}

}  // namespace
