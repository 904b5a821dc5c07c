#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Reads a native window tree back as a person would see it, in the process
// that owns the windows or from another one.
namespace window_tree {

struct Entry {
    HWND window;
    int depth;  // 0 for the window listed, 1 for its children, and so on
    std::wstring className, text;
    int id;
    // Relative to the parent's client area; a top-level window's are screen
    // coordinates.
    int x, y, width, height;
    int screenX, screenY;  // the top left corner on the screen
    // The window's own flags: a visible child of a hidden parent is visible.
    bool visible, enabled;
    int checked;  // BM_GETCHECK of a check box or radio button, else -1
};

// The window and all its descendants, depth first; siblings in the system's
// order (GW_HWNDNEXT, top of the z-order first).
std::vector<Entry> list(HWND top);

// Whether the window can be seen within top, an ancestor of it: it and every
// window up to top are visible and reach into their parent. A card that is
// not shown lies above and left of its parent.
bool inSight(HWND window, HWND top);

// The nodes of a tree view in the process that owns it: siblings apart by a
// blank, each node's children in brackets after it, * before a bold one.
std::wstring treeNodes(HWND tree);

// Every condition given must hold.
struct Filter {
    DWORD processId = 0;     // 0: any process
    std::wstring title;      // empty: any title; otherwise the exact title
    std::wstring className;  // empty: any class; otherwise the class, any case
    bool hiddenToo = false;  // also windows that are not visible
};
std::vector<HWND> findTopLevel(const Filter& filter);

// One line, without a line end:
//   <2 spaces per depth>class="..." text="..." id=N bounds=X,Y,W,H screen=X,Y
//   visible=0|1 enabled=0|1 [checked=N]
// Texts are UTF-8 in double quotes, with \\, \", \n, \r, \t and \xHH for
// other control characters.
std::string format(const Entry& entry);
// The lines of list(top), each ended by a line feed.
std::string listing(HWND top);

}  // namespace window_tree
