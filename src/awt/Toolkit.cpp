#include "awt/Toolkit.h"

#include <windows.h>

#include <algorithm>

#include "awt/Component.h"
#include "awt/FocusTraversal.h"
#include "core/Exception.h"

namespace awt {

namespace {

HINSTANCE moduleInstance = nullptr;

int32_t currentModifiers() {
    int32_t modifiers = 0;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= KeyEvent::SHIFT_MASK;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= KeyEvent::CTRL_MASK;
    if (GetKeyState(VK_MENU) < 0) modifiers |= KeyEvent::ALT_MASK;
    return modifiers;
}

using KeyMethod = void (KeyListener::*)(KeyEvent&);

KeyMethod keyMethod(int32_t id) {
    switch (id) {
        case KeyEvent::KEY_PRESSED:
            return &KeyListener::keyPressed;
        case KeyEvent::KEY_RELEASED:
            return &KeyListener::keyReleased;
        default:
            return &KeyListener::keyTyped;
    }
}

}  // namespace

Toolkit& Toolkit::getDefaultToolkit() {
    static Toolkit toolkit;
    return toolkit;
}

HINSTANCE Toolkit::getInstance() { return moduleInstance; }

HFONT Toolkit::getGuiFont() {
    static const HFONT font = [] {
        const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        LOGFONTW face{};
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (GetObjectW(stock, sizeof face, &face) != sizeof face ||
            !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            return stock;
        }
        face.lfHeight = metrics.lfMessageFont.lfHeight;
        face.lfWidth = 0;
        const HFONT scaled = CreateFontIndirectW(&face);
        return scaled != nullptr ? scaled : stock;
    }();
    return font;
}

void Toolkit::setInstance(HINSTANCE instance) { moduleInstance = instance; }

int Toolkit::run() {
    MSG msg;
    for (;;) {
        // A layout pass gives way to any message that arrives, a message sent
        // from another thread or process too. GetMessage handles such a
        // message itself and then blocks, so the layouts still queued would
        // wait for the next input: the window would stay blank until the
        // mouse moved. PeekMessage handles sent messages and tells whether
        // anything else waits.
        while (!layoutQueue_.empty() && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            validateInvalid();
        }
        const BOOL result = GetMessageW(&msg, nullptr, 0, 0);
        if (result == 0) return static_cast<int>(msg.wParam);
        if (result == -1) throw Exception(L"GetMessage() failed");
        const bool isKey = msg.message >= WM_KEYDOWN && msg.message <= WM_CHAR;
        if (!isKey || !dispatchKey(msg.hwnd, msg.message, msg.wParam)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        rethrowHeldException();
        validateInvalid();
    }
}

bool Toolkit::dispatchKey(HWND window, UINT message, WPARAM wParam) {
    // WM_KEYDOWN, WM_KEYUP and WM_CHAR are consecutive, as are the key ids.
    const int32_t id = static_cast<int32_t>(message - WM_KEYDOWN);
    const auto method = keyMethod(id);
    Component* target = Component::fromHandle(window);
    const auto keyCode = static_cast<int32_t>(wParam);

    KeyEvent global(target, id, keyCode, currentModifiers());
    keyListeners_.fire(method, global);
    if (global.consumed || target == nullptr) return global.consumed;

    KeyEvent own(target, id, keyCode, currentModifiers());
    target->processKeyEvent(own);
    if (id == KeyEvent::KEY_PRESSED && keyCode == VK_TAB) {
        // Only Tab and Shift+Tab move the focus; Ctrl+Tab and the like are
        // left to the control.
        if (own.modifiers == 0 || own.modifiers == KeyEvent::SHIFT_MASK) {
            FocusTraversal::traverse(target, own.modifiers == 0);
            own.consumed = true;
        }
    }
    return own.consumed;
}

void Toolkit::invalidate(Component* component) {
    if (!isInvalid(component)) layoutQueue_.push_back(component);
}

bool Toolkit::isInvalid(const Component* component) const {
    return std::find(layoutQueue_.begin(), layoutQueue_.end(), component) != layoutQueue_.end();
}

void Toolkit::validateInvalid() {
    while (!layoutQueue_.empty()) {
        Component* component = layoutQueue_.front();
        layoutQueue_.pop_front();
        component->validate();
        rethrowHeldException();
        if (HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0) break;
    }
}

void Toolkit::forget(const Component* component) { std::erase(layoutQueue_, component); }

std::wstring Toolkit::loadString(uint32_t id) const {
    wchar_t buffer[256];
    const int length = LoadStringW(moduleInstance, id, buffer, 256);
    return std::wstring(buffer, length > 0 ? length : 0);
}

void Toolkit::holdException(std::exception_ptr exception) {
    if (!heldException_) heldException_ = exception;
}

void Toolkit::rethrowHeldException() {
    if (heldException_) std::rethrow_exception(std::exchange(heldException_, nullptr));
}

}  // namespace awt
