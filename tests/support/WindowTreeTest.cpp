#include <gtest/gtest.h>

#include "WindowTree.h"

// The listing of a window tree made here with known contents.
namespace {

HWND make(const wchar_t* className, const wchar_t* text, DWORD style, RECT r, HWND parent,
          int id = 0) {
    return CreateWindowExW(0, className, text, style, r.left, r.top, r.right, r.bottom, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

TEST(WindowTree, ListsEachWindowWithItsStateBelowItsParent) {
    HWND top = make(L"STATIC", L"top", WS_POPUP | WS_VISIBLE, {120, 80, 300, 200}, nullptr);
    HWND group =
        make(L"BUTTON", L"グループ", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, {5, 5, 200, 150}, top, 7);
    HWND check =
        make(L"BUTTON", L"on", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, {10, 20, 80, 20}, group, 8);
    make(L"BUTTON", L"off", WS_CHILD | WS_DISABLED | BS_AUTORADIOBUTTON, {10, 50, 80, 20}, group);
    make(L"EDIT", L"a \"b\"\\c\td", WS_CHILD | WS_VISIBLE | ES_MULTILINE, {210, 5, 80, 20}, top);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    SetWindowTextW(FindWindowExW(top, nullptr, L"EDIT", nullptr), L"a \"b\"\\c\td\r\n\x01");

    EXPECT_EQ(window_tree::listing(top),
              "class=\"Static\" text=\"top\" id=0 bounds=120,80,300,200 screen=120,80 visible=1 "
              "enabled=1\n"
              "  class=\"Button\" text=\"\xE3\x82\xB0\xE3\x83\xAB\xE3\x83\xBC\xE3\x83\x97\" id=7 "
              "bounds=5,5,200,150 screen=125,85 visible=1 enabled=1\n"
              "    class=\"Button\" text=\"on\" id=8 bounds=10,20,80,20 screen=135,105 visible=1 "
              "enabled=1 checked=1\n"
              "    class=\"Button\" text=\"off\" id=0 bounds=10,50,80,20 screen=135,135 visible=0 "
              "enabled=0 checked=0\n"
              "  class=\"Edit\" text=\"a \\\"b\\\"\\\\c\\td\\r\\n\\x01\" id=0 bounds=210,5,80,20 "
              "screen=330,85 visible=1 enabled=1\n");
    window_tree::Filter filter;
    filter.processId = GetCurrentProcessId();
    filter.className = L"static";
    filter.title = L"top";
    EXPECT_EQ(window_tree::findTopLevel(filter), std::vector<HWND>{top});
    DestroyWindow(top);
}

}  // namespace
