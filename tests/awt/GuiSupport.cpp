#include "GuiSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "awt/Toolkit.h"

namespace awt_test {

namespace {

// The toolkit registers its classes with the module that start-up names.
class ToolkitEnvironment : public ::testing::Environment {
public:
    void SetUp() override { awt::Toolkit::setInstance(GetModuleHandleW(nullptr)); }
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

const std::function<bool()>* condition = nullptr;
DWORD deadline = 0;

void CALLBACK checkCondition(HWND, UINT, UINT_PTR, DWORD) {
    if ((*condition)() || GetTickCount() > deadline) PostQuitMessage(0);
}

struct Sentinel : awt::KeyListener {
    void keyPressed(awt::KeyEvent& e) override {
        if (e.keyCode == VK_F12) {
            seen = true;
            e.consumed = true;
        }
    }
    void keyReleased(awt::KeyEvent& e) override {
        if (e.keyCode == VK_F12) e.consumed = true;
    }
    void keyTyped(awt::KeyEvent&) override {}
    bool seen = false;
};

}  // namespace

bool runUntil(const std::function<bool()>& done, int timeoutMilliseconds) {
    condition = &done;
    deadline = GetTickCount() + timeoutMilliseconds;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, checkCondition);
    awt::Toolkit::getDefaultToolkit().run();
    KillTimer(nullptr, timer);
    condition = nullptr;
    return done();
}

void runFor(int milliseconds) {
    runUntil([] { return false; }, milliseconds);
}

void xdotool(const std::wstring& arguments) {
    // Wine starts Linux programs given by their path on drive Z.
    std::wstring commandLine = L"Z:\\usr\\bin\\xdotool " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << "xdotool could not be started: " << GetLastError();
    if (process.hThread != nullptr) CloseHandle(process.hThread);
    if (process.hProcess != nullptr) CloseHandle(process.hProcess);
}

bool typeKeys(const awt::Frame& frame, const std::wstring& keys) {
    Sentinel sentinel;
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    toolkit.addKeyListener(&sentinel);
    // Without a window manager nothing gives a window the X focus but a
    // request like this one.
    xdotool(L"search --sync --limit 1 --name \"^" + frame.getTitle() +
            L"$\" windowfocus --sync key --delay 30 " + keys + L" F12");
    const bool seen = runUntil([&] { return sentinel.seen; });
    // The release of F12 follows; let it pass before the sentinel goes.
    runFor(100);
    toolkit.removeKeyListener(&sentinel);
    return seen;
}

uint32_t Edit::getStyle() { return Component::getStyle() | WS_TABSTOP | WS_BORDER; }

std::wstring Edit::getText() const {
    wchar_t buffer[256];
    const int length = GetWindowTextW(getHandle(), buffer, 256);
    return std::wstring(buffer, length);
}

}  // namespace awt_test
