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

namespace {

int usage() {
    writeStandard(
        STD_ERROR_HANDLE,
        "usage: window-tree [--pid N] [--title TEXT] [--class NAME] [--hidden] [--wait MS]\n");
    return 2;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) return usage();
    window_tree::Filter filter;
    DWORD waitMilliseconds = 0;
    for (int i = 1; i < count; ++i) {
        const std::wstring option = arguments[i];
        if (option == L"--hidden") {
            filter.hiddenToo = true;
            continue;
        }
        if (i + 1 == count) return usage();
        const std::wstring value = arguments[++i];
        try {
            if (option == L"--pid") {
                filter.processId = std::stoul(value);
            } else if (option == L"--wait") {
                waitMilliseconds = std::stoul(value);
            } else if (option == L"--title") {
                filter.title = value;
            } else if (option == L"--class") {
                filter.className = value;
            } else {
                return usage();
            }
        } catch (const std::exception&) {
            return usage();
        }
    }
    LocalFree(arguments);

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
