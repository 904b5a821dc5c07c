#include "GuiSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

#include "awt/Toolkit.h"

namespace awt_test {

namespace {

// The toolkit registers its classes with the module that start-up names.
struct ToolkitEnvironment : ::testing::Environment {
    void SetUp() override { awt::Toolkit::setInstance(GetModuleHandleW(nullptr)); }
};
[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

// Whether the file a Linux program writes has stopped growing, as seen by
// one more look at it every call.
struct PictureWatch {
    std::wstring file;
    DWORD last = 0;
    int unchanged = 0;
    bool done() {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return false;
        const DWORD size = data.nFileSizeLow;
        unchanged = size > 0 && std::exchange(last, size) == size ? unchanged + 1 : 0;
        return unchanged >= 30;
    }
};

// A picture of the display at the first failure of each test, beside the
// test program and named after the test, for the one who reads the log of a
// run that nobody watched. The loop does not run meanwhile: the picture is
// of the moment the test failed.
struct FailureShots : ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { taken = false; }
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (!result.failed() || std::exchange(taken, true)) return;
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = std::string("failed-") + test->test_suite_name() + "." +
                                 test->name() + ".png";
        wchar_t self[MAX_PATH + 1];
        const std::wstring program(self, GetModuleFileNameW(nullptr, self, MAX_PATH + 1));
        const std::wstring file =
            program.substr(0, program.rfind(L'\\') + 1) + std::wstring(name.begin(), name.end());
        // The host's path of a file on drive Z.
        std::wstring host = file.substr(2);
        for (wchar_t& c : host) c = c == L'\\' ? L'/' : c;
        startLinux(L"import -window root " + host);
        PictureWatch watch{file};
        for (int i = 0; i < 2000 && !watch.done(); ++i) Sleep(10);
        std::printf("screenshot: %ls\n", host.c_str());
    }
    bool taken = false;
};
[[maybe_unused]] const bool failureShots =
    (::testing::UnitTest::GetInstance()->listeners().Append(new FailureShots), true);

const std::function<bool()>* condition = nullptr;
DWORD deadline = 0;

void CALLBACK checkCondition(HWND, UINT, UINT_PTR, DWORD) {
    if ((*condition)() || GetTickCount() > deadline) PostQuitMessage(0);
}

struct Sentinel : awt::KeyListener {
    void keyPressed(awt::KeyEvent& e) override {
        if (e.keyCode == VK_F12) seen = e.consumed = true;
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
    try {
        awt::Toolkit::getDefaultToolkit().run();
    } catch (...) {
        // A listener threw out of the loop; the condition must not outlive
        // this call in a timer that is still set.
        KillTimer(nullptr, timer);
        throw;
    }
    KillTimer(nullptr, timer);
    return done();
}

void runFor(int milliseconds) {
    runUntil([] { return false; }, milliseconds);
}

void show(awt::Frame& frame, int width, int height) {
    frame.setBounds(100, 100, width, height);
    frame.setVisible(true);
    runFor(100);
}

void xdotool(const std::wstring& arguments) { startLinux(L"xdotool " + arguments); }

bool screenshot(const std::wstring& path) {
    char wanted[2] = {};
    if (GetEnvironmentVariableA("VELMORA_SCREENSHOTS", wanted, 2) != 1 || wanted[0] != '1')
        return true;
    // Wine cannot wait for a Linux program: the picture is done when its
    // file has stopped growing. Until then this process's own output was
    // seen to be lost, so the wait is needed whatever follows.
    PictureWatch watch{L"Z:" + path};
    DeleteFileW(watch.file.c_str());
    startLinux(L"import -window root " + path);
    return runUntil([&] { return watch.done(); }, 20000);  // done after about 300 ms unchanged
}

void startLinux(const std::wstring& program) {
    // Wine starts Linux programs given by their path on drive Z.
    std::wstring commandLine = L"Z:\\usr\\bin\\" + program;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

std::wstring mousemove(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return L"mousemove " + std::to_wstring(point.x) + L" " + std::to_wstring(point.y);
}

void click(const awt::Component& c, int x, int y) {
    xdotool(mousemove(c.getHandle(), x, y) + L" click 1");
}

bool typeKeys(const awt::Frame& frame, const std::wstring& keys) {
    Sentinel sentinel;
    awt::Toolkit::getDefaultToolkit().addKeyListener(&sentinel);
    // Without a window manager only a request like this one moves the focus.
    xdotool(L"search --sync --limit 1 --name \"^" + frame.getTitle() +
            L"$\" windowfocus --sync key --delay 30 " + keys + L" F12");
    const bool seen = runUntil([&] { return sentinel.seen; });
    runFor(100);  // the release of F12
    awt::Toolkit::getDefaultToolkit().removeKeyListener(&sentinel);
    return seen;
}

void Recorder::adjustmentValueChanged(awt::AdjustmentEvent& e) {
    lines.push_back(L"adjust " + std::to_wstring(e.id) + L" " + std::to_wstring(e.value));
    adjustedAt = GetTickCount();
}

void Recorder::key(wchar_t kind, awt::KeyEvent& e) {
    if (e.keyCode == VK_F12) return;
    lines.push_back(std::wstring{kind, static_cast<wchar_t>(e.keyCode)} +
                    (e.modifiers != 0 ? L"+" + std::to_wstring(e.modifiers) : L""));
    if (e.keyCode == swallowed) e.consumed = true;
}

uint32_t Edit::getStyle() { return Component::getStyle() | WS_TABSTOP | WS_BORDER; }

std::wstring Edit::getText() const {
    wchar_t buffer[256];
    return std::wstring(buffer, GetWindowTextW(getHandle(), buffer, 256));
}

}  // namespace awt_test
