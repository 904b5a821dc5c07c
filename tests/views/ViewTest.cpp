#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <thread>

#include "../core/ArgumentWriter.h"

#include "../awt/GuiSupport.h"
#include "../items/ItemFixture.h"
#include "awt/BorderedPanel.h"
#include "awt/Checkbox.h"
#include "awt/Label.h"
#include "awt/NumberField.h"
#include "awt/SharedLayouts.h"
#include "core/StringUtil.h"
#include "items/ExecItem.h"
#include "items/Inheritable.h"
#include "items/RFC1323OptsItem.h"
#include "items/PriorityControlItem.h"
#include "items/RegDeleteSubKeysItem.h"
#include "views/ItemViewFactory.h"

// Every kind of view in one window over real items, used as a person uses
// it: clicks and keys from the X server, then what the window shows and what
// the item holds.
namespace {

using namespace awt_test;

enum Inherit { PLAIN, OFFERED, INHERITED, REFUSED };

template <typename Base>
struct Inheriting : Base, Inheritable {
    bool canInherit() const override { return offered; }
    Item* getInheritee() const override { return nullptr; }
    bool isInherited() const override { return inherited; }
    void setInherited(bool flag) override { inherited = flag; }
    bool offered = true, inherited = false;
};

// [x] or [ ] before a check box's or radio button's label, a number and
// #columns, a label in quotes, a button in angle brackets; ~ marks a greyed
// control, * the focused one.
std::wstring shown(awt::Component& c) {
    std::wstring text;
    auto* container = dynamic_cast<awt::Container*>(&c);
    for (int i = 0; container != nullptr && i < container->getComponentCount(); ++i)
        text += (i > 0 ? L" " : L"") + shown(*container->getComponent(i));
    if (auto* frame = dynamic_cast<awt::BorderedPanel*>(&c))
        return frame->getTitle() + L"{" + text + L"}";
    if (container != nullptr) return text;
    if (auto* box = dynamic_cast<awt::Checkbox*>(&c))
        text = (SendMessageW(c.getHandle(), BM_GETCHECK, 0, 0) ? L"[x]" : L"[ ]") + box->getLabel();
    else if (auto* button = dynamic_cast<awt::Button*>(&c))
        // Without the focus mark: the program a launcher starts may take it.
        return L"<" + button->getLabel() + L">" + (IsWindowEnabled(c.getHandle()) ? L"" : L"~");
    else if (auto* field = dynamic_cast<awt::NumberField*>(&c))
        text = toString(field->getValue()) + L"#" + toString(field->getColumns());
    else
        text = L"'" + dynamic_cast<awt::Label&>(c).getText() + L"'";
    return text + (IsWindowEnabled(c.getHandle()) ? L"" : L"~") +
           (GetFocus() == c.getHandle() ? L"*" : L"");
}

// The text of the message box that the watcher answered.
std::wstring boxText;
std::thread boxWatcher;

// Answers the program's first message box within 3 s, keeping its text.
void watchForBox() {
    boxWatcher = std::thread([] {
        for (int i = 0; i < 60; ++i, Sleep(50)) {
            const HWND box = FindWindowW(L"#32770", L"velmora");
            if (box == nullptr) continue;
            wchar_t text[512] = L"";
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            boxText = text;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return;
        }
    });
}

// The item's value, 1 or 0 for a state, and whether it inherits; for a
// launcher, whether the argument writer ran and the box that was shown.
std::wstring held(Item& item) {
    wchar_t hex[8];
    if (auto* bits = dynamic_cast<PriorityControlItem*>(&item))
        return std::swprintf(hex, 8, L"0x%02x", bits->getCurrentValue()), hex;
    if (dynamic_cast<ExecItem*>(&item)) {
        const bool ran =
            GetFileAttributesW((argumentWriter() + L".txt").c_str()) != INVALID_FILE_ATTRIBUTES;
        return (ran ? L"started" : L"-") + (boxText.empty() ? L"" : L" " + boxText);
    }
    auto* inheritable = dynamic_cast<Inheritable*>(&item);
    const wchar_t* inherits = inheritable && inheritable->isInherited() ? L" inherited" : L"";
    if (auto* check = dynamic_cast<CheckItem*>(&item))
        return toString(check->getCurrentState()) + inherits;
    if (auto* number = dynamic_cast<ValueItem*>(&item))
        return toString(number->getCurrentValue()) + inherits;
    if (auto* bits = dynamic_cast<RFC1323OptsItem*>(&item))
        return toString(static_cast<int32_t>(bits->getCurrentValue()));
    return toString(dynamic_cast<ToggleItem&>(item).getCurrentIndex());
}

std::vector<Param> num(const wchar_t* byDefault, std::vector<Param> more,
                       xml::AttributeMap mean = {}) {
    more.insert(more.end(),
                {{L"value", L"v"}, {L"type", L"REG_DWORD"}, {L"default", byDefault, mean}});
    return more;
}
const std::vector<Param> flag = num(L"0", {{L"true", L"1"}, {L"false", L"0"}, {L"label", L"有効"}});
std::vector<Param> sizes() {
    std::vector<Param> params = toggle(L"REG_SZ", L"m", {L"s", L"m", L"l"});
    params[2].children[0].text = L"小さい", params[3].children[0].text = L"普通";
    params[3].children[1].text = L"大きい";
    return params;
}
const xml::AttributeMap ten = {{L"mean", L"10"}};
const std::vector<Param> options =
    num(L"0", {{L"select", L"", {{L"id", L"WindowScaling"}}, {{L"name", L"ウィンドウ拡大"}}},
               {L"select", L"", {{L"id", L"Timestamping"}}, {{L"name", L"タイムスタンプ"}}}});

std::vector<Param> scheduling(bool server) {
    std::vector<Param> params = {
        {L"value", L"v"},
        {L"default", L"0"},
        {L"select",
         L"",
         {{L"id", L"length"}},
         {{L"name", L"間隔"}, {L"item", L"長い"}, {L"item", L"短い"}}},
        {L"select",
         L"",
         {{L"id", L"boost"}},
         {{L"name", L"ブースト"}, {L"item", L"なし"}, {L"item", L"小"}, {L"item", L"大"}}}};
    if (server) params.push_back({L"server", L""});
    return params;
}
Param target(const std::wstring& name, const std::wstring& path) {
    return {L"file", L"", {}, {{L"name", name}, {L"file", path}}};
}

const struct Row {
    const wchar_t* caption;
    char kind;  // number, check, toggle, RFC 1323 options, priority, exec or a frozen key
    Inherit inherit;
    std::vector<Param> params;
    std::string data;  // of the value, when there is one
    // "click N" on the view's control N, "keys N KEYS" typed into it, or
    // "set N" by the program.
    std::wstring before, input, after;
} rows[] = {
    {L"キャッシュ", 'n', PLAIN, num(L"65536", {{L"scale", L"1024"}, {L"unit", L"KB"}}), "",
     L"64#9 'KB' [x]ディフォルト~", L"keys 0 Up", L"65#9* 'KB' [ ]ディフォルト = 66560"},
    // The meaning of the default, typed, checks the box; the item keeps
    // what was typed.
    {L"待ち時間", 'n', PLAIN,
     num(L"0", {{L"min", L"-1"}, {L"max", L"100000"}, {L"unit", L"ミリ秒"}}, ten), raw(5u),
     L"5#7 'ミリ秒' [ ]ディフォルト", L"keys 0 End BackSpace 1 0",
     L"10#7* 'ミリ秒' [x]ディフォルト~ = 10"},
    {L"回数", 'n', PLAIN, num(L"0", {{L"min", L"0"}, {L"max", L"99"}}, ten), raw(5u),
     L"5#5 [ ]ディフォルト", L"click 1", L"10#5* [x]ディフォルト~ = 0"},
    {L"空の単位", 'n', REFUSED, num(L"3", {{L"unit", L""}}), "", L"3#12 '' [x]ディフォルト~",
     L"keys 0 Down", L"2#12* '' [ ]ディフォルト = 2"},
    {L"送信ウィンドウ", 'n', OFFERED, num(L"65536", {{L"scale", L"1024"}}), raw(1500u),
     L"1#9 [ ]未設定", L"click 1", L"64#9~ [x]未設定* = 65536 inherited"},
    // Shown truncated, but not written back truncated.
    {L"最大転送単位", 'n', INHERITED, num(L"0", {{L"scale", L"1024"}}), "", L"0#9~ [x]未設定",
     L"set 1500", L"1#9~ [x]未設定 = 1500 inherited"},
    // An inheriting number shows the value it inherits, never the meaning of
    // the definition's default, and starts from it when it stops inheriting.
    {L"継承中", 'n', INHERITED, num(L"0", {}, ten), "", L"0#12~ [x]未設定", L"click 1",
     L"0#12 [ ]未設定* = 0"},
    {L"継承へ", 'n', OFFERED, num(L"4", {}, ten), raw(5u), L"5#12 [ ]未設定", L"click 1",
     L"4#12~ [x]未設定* = 4 inherited"},
    {L"ラベルなし", 'c', REFUSED, check(L"REG_DWORD", L"1", L"0", L"0"), raw(1u), L"[x]",
     L"click 0", L"[ ]* = 0"},
    {L"自動検出", 'c', INHERITED, flag, raw(1u), L"[x]有効~ [x]未設定", L"click 1",
     L"[x]有効 [ ]未設定* = 1"},
    {L"経路探索", 'c', OFFERED, flag, raw(0u), L"[ ]有効 [ ]未設定", L"set 1",
     L"[x]有効 [ ]未設定 = 1"},
    {L"大きさ", 't', PLAIN, sizes(), "", L"[ ]小さい [x]普通 [ ]大きい", L"click 2",
     L"[ ]小さい [ ]普通 [x]大きい* = 2"},
    // Each option box sets its own bit and keeps the others.
    {L"RFC 1323", 'r', PLAIN, options, raw(2u), L"[ ]ウィンドウ拡大 [x]タイムスタンプ", L"click 0",
     L"[x]ウィンドウ拡大* [x]タイムスタンプ = 3"},
    {L"RFC 1323 他", 'r', PLAIN, options, raw(7u), L"[x]ウィンドウ拡大 [x]タイムスタンプ",
     L"click 1", L"[x]ウィンドウ拡大 [ ]タイムスタンプ* = 5"},
    // The arrow keys choose as a click does, and stop at the end.
    {L"文字", 't', PLAIN, sizes(), raw(L"s"), L"[x]小さい [ ]普通 [ ]大きい",
     L"keys 0 Right Right Right", L"[ ]小さい [ ]普通 [x]大きい* = 2"},
    {L"処理の割り当て", 'p', PLAIN, scheduling(false), raw(0x26u),
     L"間隔{[x]長い [ ]短い} ブースト{[ ]なし [ ]小 [x]大}", L"click 1",
     L"間隔{[ ]長い [x]短い*} ブースト{[ ]なし [ ]小 [x]大} = 0x16"},
    {L"サーバー", 'p', PLAIN, scheduling(true), raw(0u),
     L"間隔{[ ]長い [x]短い} ブースト{[x]なし [ ]小 [ ]大}", L"click 3",
     L"間隔{[ ]長い [x]短い} ブースト{[ ]なし [x]小* [ ]大} = 0x05"},
    // Buttons in the code-unit order of their names.
    {L"ツール",
     'e',
     PLAIN,
     {target(L"起動", argumentWriter()), target(L"失敗", L"C:\\no\\such.exe")},
     "",
     L"<失敗> <起動>",
     L"click 1",
     L"<失敗> <起動> = started"},
    {L"壊れたツール",
     'e',
     PLAIN,
     {target(L"失敗", L"C:\\no\\such.exe")},
     "",
     L"<失敗>",
     L"click 0",
     L"<失敗> = - C:\\no\\such.exe を起動できませんでした。"},
    // Clean, with no backup to restore from: a click changes nothing.
    {L"整理",
     'f',
     PLAIN,
     {{L"label", L"整理済み"}, {L"backup", L"C:\\no\\backup"}},
     "",
     L"[x]整理済み~",
     L"click 0",
     L"[x]整理済み~ = 1"},
};

void act(const awt::Frame& frame, Item& item, awt::Component& view, const std::wstring& input) {
    std::wistringstream words(input);
    std::wstring how, keys;
    int32_t n = 0;
    words >> how >> n;
    std::getline(words, keys);
    std::vector<awt::Component*> leaves;  // in the order shown
    const std::function<void(awt::Component&)> collect = [&](awt::Component& c) {
        auto* container = dynamic_cast<awt::Container*>(&c);
        for (int i = 0; container != nullptr && i < container->getComponentCount(); ++i)
            collect(*container->getComponent(i));
        if (container == nullptr) leaves.push_back(&c);
    };
    collect(view);
    awt::Component& control = how != L"set" ? *leaves.at(static_cast<size_t>(n)) : view;
    if (dynamic_cast<ExecItem*>(&item)) {
        DeleteFileW((argumentWriter() + L".txt").c_str());
        boxText.clear();
        watchForBox();
    }
    if (how == L"click") click(control, 8, control.getSize().height / 2);
    if (how == L"keys") control.requestFocus();
    EXPECT_TRUE(how != L"keys" || typeKeys(frame, keys));
    if (how != L"set") return;
    if (auto* check = dynamic_cast<CheckItem*>(&item)) return check->setCurrentState(n != 0);
    dynamic_cast<ValueItem&>(item).setCurrentValue(n);
}

struct Views : ItemTest {
    template <typename T>
    std::unique_ptr<Item> make(const Row& row, const std::wstring& below) {
        if (row.inherit == PLAIN) return configured<T>(row.params, below);
        auto item = configured<Inheriting<T>>(row.params, below);
        item->offered = row.inherit != REFUSED, item->inherited = row.inherit == INHERITED;
        return item;
    }
};

TEST_F(Views, ShowTheirItemsAndWriteWhatAPersonChooses) {
    installItemViews();
    awt::SharedLayouts::flowLayout().setHgap(6);
    awt::SharedLayouts::gridFlowLayout().setHgap(12);
    awt::SharedLayouts::gridFlowLayout().setVgap(2);
    std::vector<std::unique_ptr<Item>> items;
    awt::Frame frame(L"velmora views");
    awt::BorderedPanel panel(L"項目");
    std::vector<std::unique_ptr<awt::Component>> views;  // a label and a view per row
    frame.setLayout(&awt::SharedLayouts::fitLayout());
    frame.add(&panel);
    panel.setLayout(&awt::SharedLayouts::gridFlowLayout());
    for (const Row& row : rows) {
        const std::wstring below = toString(static_cast<int32_t>(items.size()));
        if (!row.data.empty())
            scratch_.set(L"v", row.kind == 't' ? REG_SZ : REG_DWORD, row.data, below);
        items.push_back(row.kind == 't'   ? configured<RegToggleItem>(row.params, below)
                        : row.kind == 'r' ? configured<RFC1323OptsItem>(row.params, below)
                        : row.kind == 'c' ? make<RegCheckItem>(row, below)
                        : row.kind == 'p' ? configured<PriorityControlItem>(row.params, below)
                        : row.kind == 'e' ? configured<ExecItem>(row.params, below)
                        : row.kind == 'f' ? configured<RegDeleteSubKeysItem>(row.params, below)
                                          : make<RegValueItem>(row, below));
        views.push_back(std::make_unique<awt::Label>(row.caption));
        views.push_back(std::unique_ptr<awt::Component>(items.back()->createView()));
        panel.add(views.end()[-2].get());
        panel.add(views.back().get());
    }
    show(frame, 560, 560);
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(shown(*views[2 * i + 1]), rows[i].before) << rows[i].caption;
    EXPECT_TRUE(screenshot(VIEWS_SCREENSHOT));

    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto now = [&] { return shown(*views[2 * i + 1]) + L" = " + held(*items[i]); };
        act(frame, *items[i], *views[2 * i + 1], rows[i].input);
        runUntil([&] { return now() == rows[i].after; }, 3000);
        runFor(100);  // nothing more may follow
        if (boxWatcher.joinable()) boxWatcher.join();
        EXPECT_EQ(now(), rows[i].after) << rows[i].caption;
    }
    DeleteFileW((argumentWriter() + L".txt").c_str());
}

}  // namespace
