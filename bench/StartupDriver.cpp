#include "StartupDriver.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "SyntheticCatalogue.h"
#include "Timing.h"

namespace {

// Sample points per side of the grid laid over the window.
constexpr int gridSize = 16;
// A point counts as painted when its channels add up to more than this: the
// empty display is pure black, and a little headroom keeps a point that is
// nearly so dark as well.
constexpr int darkSum = 3 * 24;

struct Search {
    DWORD processId;
    HWND largest = nullptr;
    long largestArea = -1;
    HWND messageBox = nullptr;
};

BOOL CALLBACK visitWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    // The dialog class: the message box of a failed start.
    if (std::wstring(className) == L"#32770") search.messageBox = window;
    RECT rect;
    GetWindowRect(window, &rect);
    const long area = (rect.right - rect.left) * (rect.bottom - rect.top);
    if (area > search.largestArea) {
        search.largest = window;
        search.largestArea = area;
    }
    return TRUE;
}

// The text of a message box: its static controls.
std::wstring textOf(HWND box) {
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = L"";
        GetClassNameW(child, className, 32);
        if (std::wstring(className) != L"Static") continue;
        wchar_t line[1024] = L"";
        GetWindowTextW(child, line, 1024);
        text += line;
    }
    return text;
}

class Process {
public:
    Process(const std::wstring& program, const std::wstring& arguments) {
        std::wstring commandLine = L"\"" + program + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, nullptr, &startup, &info_)) {
            throw std::runtime_error(
                format("CreateProcessW %s failed: %lu", narrow(program).c_str(), GetLastError()));
        }
    }
    ~Process() {
        // Whatever went wrong, no process of the benchmark is left running.
        if (!ended(0)) {
            TerminateProcess(info_.hProcess, 3);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    HANDLE handle() const { return info_.hProcess; }
    DWORD id() const { return info_.dwProcessId; }
    bool ended(DWORD milliseconds) const {
        return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
    }
    DWORD exitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_{};
};

// What of a rectangle lies on the screen: off it, nothing is painted.
RECT onScreen(const RECT& rect) {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT visible{};
    IntersectRect(&visible, &rect, &screen);
    return visible;
}

}  // namespace

double nonBlackShare(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return 0;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -1;  // one row, top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP row = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, row);
    int painted = 0;
    // One strip per grid row rather than the whole window: far less to read
    // from the display on every poll.
    for (int y = 0; y < gridSize; ++y) {
        const int top = area.top + (2 * y + 1) * height / (2 * gridSize);
        if (!BitBlt(memory, 0, 0, width, 1, screen, area.left, top, SRCCOPY)) continue;
        GdiFlush();
        const auto* pixels = static_cast<const BYTE*>(bits);
        for (int x = 0; x < gridSize; ++x) {
            const BYTE* p = pixels + 4 * ((2 * x + 1) * width / (2 * gridSize));
            if (p[0] + p[1] + p[2] > darkSum) ++painted;
        }
    }
    SelectObject(memory, previous);
    DeleteObject(row);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return static_cast<double>(painted) / (gridSize * gridSize);
}

bool displayEmpty() {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return nonBlackShare(screen) < emptyShare;
}

double timeStartup(const std::wstring& program, const std::wstring& arguments,
                   double timeoutSeconds, double* closingSeconds) {
    // A window of the start before, not yet gone from the display, would
    // pass for this one's.
    for (int wait = 0; !displayEmpty(); ++wait) {
        if (wait == 500) throw std::runtime_error("the display is not empty before a start");
        Sleep(10);
    }
    const double start = now();
    Process process(program, arguments);
    bool idle = false;
    double shown = 0;
    HWND window = nullptr;
    for (;;) {
        if (process.ended(0)) {
            throw std::runtime_error(
                format("%s ended with exit code %lu before its window was painted",
                       narrow(program).c_str(), process.exitCode()));
        }
        if (now() - start > timeoutSeconds) {
            throw std::runtime_error(format("%s showed no painted window within %.0f s",
                                            narrow(program).c_str(), timeoutSeconds));
        }
        if (!idle) idle = WaitForInputIdle(process.handle(), 0) == 0;
        Search search{process.id()};
        EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&search));
        if (search.messageBox != nullptr) {
            throw std::runtime_error(format("%s failed to start: message box \"%s\"",
                                            narrow(program).c_str(),
                                            narrow(textOf(search.messageBox)).c_str()));
        }
        window = search.largest;
        RECT rect;
        if (idle && window != nullptr && GetWindowRect(window, &rect) &&
            nonBlackShare(onScreen(rect)) >= paintedShare) {
            shown = now() - start;
            break;
        }
        Sleep(1);
    }
    const double closing = now();
    PostMessageW(window, WM_CLOSE, 0, 0);
    // Not counted: a large catalogue takes a while to take down.
    if (!process.ended(static_cast<DWORD>(timeoutSeconds * 1000))) {
        throw std::runtime_error(format("%s did not end within %.0f s of WM_CLOSE",
                                        narrow(program).c_str(), timeoutSeconds));
    }
    if (closingSeconds != nullptr) *closingSeconds = now() - closing;
    return shown;
}
