#include "WindowTree.h"

#include <cstdio>

#include "core/Platform.h"

namespace window_tree {

namespace {

// Another process's window answers through its own message loop; one that
// hangs must not hang the reader.
constexpr UINT ANSWER_TIMEOUT_MS = 2000;

LRESULT ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, ANSWER_TIMEOUT_MS,
                             &result)) {
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

std::wstring classOf(HWND window) {
    wchar_t name[256];
    return std::wstring(name, GetClassNameW(window, name, 256));
}

int checkedOf(HWND window, const std::wstring& className) {
    if (lstrcmpiW(className.c_str(), L"Button") != 0) return -1;
    switch (GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_AUTORADIOBUTTON:
            return static_cast<int>(ask(window, BM_GETCHECK, 0, 0));
    }
    return -1;
}

void walk(HWND window, int depth, std::vector<Entry>& entries) {
    Entry entry{};
    entry.window = window;
    entry.depth = depth;
    entry.className = classOf(window);
    entry.text = textOf(window);
    entry.id = static_cast<int>(GetWindowLongPtrW(window, GWLP_ID));
    RECT bounds;
    GetWindowRect(window, &bounds);
    entry.screenX = bounds.left;
    entry.screenY = bounds.top;
    // The desktop's client coordinates are screen coordinates.
    MapWindowPoints(nullptr, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&bounds), 2);
    entry.x = bounds.left;
    entry.y = bounds.top;
    entry.width = bounds.right - bounds.left;
    entry.height = bounds.bottom - bounds.top;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    entry.visible = (style & WS_VISIBLE) != 0;
    entry.enabled = (style & WS_DISABLED) == 0;
    entry.checked = checkedOf(window, entry.className);
    entries.push_back(entry);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        walk(child, depth + 1, entries);
    }
}

std::string quoted(const std::wstring& text) {
    std::string out = "\"";
    for (char c : toUtf8(text)) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                    char escape[5];
                    std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
                    out += escape;
                } else {
                    out += c;
                }
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

std::vector<HWND> findTopLevel(const Filter& filter) {
    struct Search {
        const Filter& filter;
        std::vector<HWND> found;
    } search{filter, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            if (s.filter.processId != 0 && processId != s.filter.processId) return TRUE;
            if (!s.filter.hiddenToo && !IsWindowVisible(window)) return TRUE;
            if (!s.filter.className.empty() &&
                lstrcmpiW(classOf(window).c_str(), s.filter.className.c_str()) != 0) {
                return TRUE;
            }
            if (!s.filter.title.empty() && textOf(window) != s.filter.title) return TRUE;
            s.found.push_back(window);
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
