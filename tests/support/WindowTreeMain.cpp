// window-tree: prints the native window tree of top-level windows, one line
// per window in the format of WindowTree.h, as UTF-8.
//
//   window-tree [--pid N] [--title TEXT] [--class NAME] [--hidden] [--wait MS]
//
// Lists every top-level window that meets all the conditions given (visible
// ones only, unless --hidden), each followed by its descendants. --wait
// gives a window that is still starting that long to appear. Exit code 0,
// 1 when no window matched, 2 for a bad command line.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "WindowTree.h"
#include "core/Platform.h"

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    window_tree::Filter filter;
    DWORD waitMilliseconds = 0;
    bool bad = arguments == nullptr;
    for (int i = 1; i < count && !bad; ++i) {
        const std::wstring option = arguments[i];
        if (option == L"--hidden") {
            filter.hiddenToo = true;
        } else if (i + 1 == count) {
            bad = true;
        } else if (option == L"--title" || option == L"--class") {
            (option == L"--title" ? filter.title : filter.className) = arguments[++i];
        } else if (option == L"--pid" || option == L"--wait") {
            try {
                (option == L"--pid" ? filter.processId : waitMilliseconds) =
                    std::stoul(arguments[++i]);
            } catch (const std::exception&) {
                bad = true;
            }
        } else {
            bad = true;
        }
    }
    if (bad) {
        writeStandard(STD_ERROR_HANDLE,
                      "usage: window-tree [--pid N] [--title TEXT] [--class NAME]"
                      " [--hidden] [--wait MS]\n");
        return 2;
    }

    const DWORD deadline = GetTickCount() + waitMilliseconds;
    std::vector<HWND> windows = window_tree::findTopLevel(filter);
    while (windows.empty() && static_cast<LONG>(deadline - GetTickCount()) > 0) {
        Sleep(50);
        windows = window_tree::findTopLevel(filter);
    }
    if (windows.empty()) {
        writeStandard(STD_ERROR_HANDLE, "no window matched\n");
        return 1;
    }
    for (HWND window : windows) writeStandard(STD_OUTPUT_HANDLE, window_tree::listing(window));
    return 0;
}
