#include "WindowTree.h"

#include <commctrl.h>

#include <cstdio>
#include <map>

#include "core/Platform.h"

namespace window_tree {

namespace {

// Another process's window answers through its own message loop; one that
// hangs must not hang the reader. A loop that is only slow, while another
// test starts a Wine prefix beside it, was seen to take more than two
// seconds, so the wait is long; a hung one is given up on at once.
LRESULT ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

// GetWindowTextW does not ask a window of another process, so an edit
// control there would show the text it was created with.
std::wstring textOf(HWND window) {
    const auto length = ask(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied = ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

// A top-level window's caption, which the system keeps for it: asked
// instead, a window whose thread is busy for a moment under load would seem
// to have none, and a search for it by its title would find nothing.
std::wstring captionOf(HWND window) {
    wchar_t caption[512];
    return std::wstring(caption, GetWindowTextW(window, caption, 512));
}

std::wstring classOf(HWND window) {
    wchar_t name[256];
    return std::wstring(name, GetClassNameW(window, name, 256));
}

int checkedOf(HWND window, const std::wstring& className) {
    constexpr unsigned boxes = 1 << BS_CHECKBOX | 1 << BS_AUTOCHECKBOX | 1 << BS_RADIOBUTTON |
                               1 << BS_3STATE | 1 << BS_AUTO3STATE | 1 << BS_AUTORADIOBUTTON;
    const auto type = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
    if (lstrcmpiW(className.c_str(), L"Button") != 0 || (boxes >> type & 1) == 0) return -1;
    return static_cast<int>(ask(window, BM_GETCHECK, 0, 0));
}

void walk(HWND window, int depth, std::vector<Entry>& entries) {
    Entry& e = entries.emplace_back();
    e.window = window;
    e.depth = depth;
    e.className = classOf(window);
    e.text = textOf(window);
    e.id = static_cast<int>(GetWindowLongPtrW(window, GWLP_ID));
    RECT r;
    GetWindowRect(window, &r);
    e.screenX = r.left;
    e.screenY = r.top;
    // The desktop's client coordinates are screen coordinates.
    MapWindowPoints(nullptr, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
    e.x = r.left;
    e.y = r.top;
    e.width = r.right - r.left;
    e.height = r.bottom - r.top;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    e.visible = (style & WS_VISIBLE) != 0;
    e.enabled = (style & WS_DISABLED) == 0;
    e.checked = checkedOf(window, e.className);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        walk(child, depth + 1, entries);
    }
}

std::string quoted(const std::wstring& text) {
    static const std::map<char, const char*> named{
        {'\\', "\\\\"}, {'"', "\\\""}, {'\n', "\\n"}, {'\r', "\\r"}, {'\t', "\\t"}};
    std::string out = "\"";
    for (const char c : toUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        char escape[5];
        if (const auto found = named.find(c); found != named.end()) {
            out += found->second;
        } else if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

std::vector<Entry> list(HWND top) {
    std::vector<Entry> entries;
    if (IsWindow(top)) walk(top, 0, entries);
    return entries;
}

namespace {

std::wstring nodesFrom(HWND tree, HTREEITEM first) {
    std::wstring text;
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        wchar_t name[64] = {};
        TVITEMW query{TVIF_TEXT | TVIF_STATE, item, 0, TVIS_BOLD, name, 64, 0, 0, 0, 0};
        TreeView_GetItem(tree, &query);
        const std::wstring below = nodesFrom(tree, TreeView_GetChild(tree, item));
        text += (text.empty() ? L"" : L" ") + std::wstring(query.state & TVIS_BOLD ? L"*" : L"") +
                name + (below.empty() ? L"" : L"[" + below + L"]");
    }
    return text;
}

}  // namespace

std::wstring treeNodes(HWND tree) { return nodesFrom(tree, TreeView_GetRoot(tree)); }

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

std::vector<HWND> findTopLevel(const Filter& filter) {
    struct Search {
        const Filter& filter;
        std::vector<HWND> found;
    } search{filter, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& [f, found] = *reinterpret_cast<Search*>(context);
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            if ((f.processId == 0 || processId == f.processId) &&
                (f.hiddenToo || IsWindowVisible(window)) &&
                (f.className.empty() ||
                 lstrcmpiW(classOf(window).c_str(), f.className.c_str()) == 0) &&
                (f.title.empty() || captionOf(window) == f.title)) {
                found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string format(const Entry& e) {
    char geometry[160];
    std::snprintf(geometry, sizeof geometry,
                  " id=%d bounds=%d,%d,%d,%d screen=%d,%d visible=%d enabled=%d", e.id, e.x, e.y,
                  e.width, e.height, e.screenX, e.screenY, e.visible ? 1 : 0, e.enabled ? 1 : 0);
    std::string line = std::string(2 * static_cast<size_t>(e.depth), ' ') +
                       "class=" + quoted(e.className) + " text=" + quoted(e.text) + geometry;
    if (e.checked >= 0) line += " checked=" + std::to_string(e.checked);
    return line;
}

std::string listing(HWND top) {
    std::string out;
    for (const Entry& entry : list(top)) out += format(entry) + "\n";
    return out;
}

}  // namespace window_tree
