#include "awt/Component.h"

#include <windows.h>
#include <windowsx.h>

#include <exception>

#include "awt/Container.h"
#include "awt/Toolkit.h"
#include "awt/Window.h"
#include "core/Exception.h"

namespace awt {

static_assert(sizeof(void*) == 8,
              "the window procedure relies on the single x64 calling convention");

namespace {

// Listeners reached by the messages that a native call sends while it runs
// may throw; the window procedure holds what they threw, and the operation
// that made the call throws it on to its caller.
void rethrowFromListeners() { Toolkit::getDefaultToolkit().rethrowHeldException(); }

void CALLBACK timerProcedure(HWND window, UINT, UINT_PTR id, DWORD) {
    Component* component = Component::fromHandle(window);
    if (component == nullptr) return;
    ActionEvent event(component);
    try {
        reinterpret_cast<ActionListener*>(id)->actionPerformed(event);
    } catch (...) {
        Toolkit::getDefaultToolkit().holdException(std::current_exception());
    }
}

// One context for every measurement. Getting and releasing a window's own
// context for each text is a round trip to the window system; a window of a
// thousand controls measures its texts a thousand times while it starts.
// A memory context made for the screen measures as the screen does.
HDC measuringContext() {
    static const HDC context = CreateCompatibleDC(nullptr);
    return context;
}

// The GUI font in bold: the same face and size, so that a bold text lines
// up with the regular ones beside it. Made once and kept, as the regular
// one is.
HGDIOBJ boldGuiFont() {
    static const HFONT font = [] {
        LOGFONTW face{};
        GetObjectW(Toolkit::getGuiFont(), sizeof face, &face);
        face.lfWeight = FW_BOLD;
        return CreateFontIndirectW(&face);
    }();
    return font;
}

HGDIOBJ guiFont(bool bold) { return bold ? boldGuiFont() : Toolkit::getGuiFont(); }

}  // namespace

Component::Component() = default;

Component::~Component() {
    releasePeer(true);
    if (parent_ != nullptr) {
        // Nothing can be reported from a destructor. A failing layout or
        // container listener runs only after the child left the list.
        try {
            parent_->remove(this);
        } catch (...) {
        }
    }
    Toolkit::getDefaultToolkit().forget(this);
}

std::wstring Component::getWindowText() { return {}; }

uint32_t Component::getStyle() {
    uint32_t style = WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    return style;
}

uint32_t Component::getExStyle() { return WS_EX_NOPARENTNOTIFY; }

HWND Component::createPeer() {
    HWND parentWindow = parent_ != nullptr ? parent_->getHandle() : nullptr;
    const std::wstring text = getWindowText();
    HWND window =
        CreateWindowExW(getExStyle(), getClassName(), text.c_str(), getStyle(), x_, y_, width_,
                        height_, parentWindow, nullptr, Toolkit::getInstance(), nullptr);
    if (window == nullptr) throw Exception(L"CreateWindowEx() failed");
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont(bold_)), FALSE);
    return window;
}

void Component::addNotify() {
    if (handle_.valid()) return;
    HWND window = createPeer();
    const LONG_PTR previousData =
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (previousData != 0) {
        // Someone else maps this window: leave it as it was found.
        SetWindowLongPtrW(window, GWLP_USERDATA, previousData);
        DestroyWindow(window);
        throw Exception(L"window user data already set");
    }
    handle_.reset(window);
    const LONG_PTR toolkitProcedure = reinterpret_cast<LONG_PTR>(&windowProcedure);
    const LONG_PTR previous = SetWindowLongPtrW(window, GWLP_WNDPROC, toolkitProcedure);
    if (previous != toolkitProcedure) previousProcedure_ = previous;
}

void Component::removeNotify() {
    if (!handle_.valid()) return;
    if (SetWindowLongPtrW(handle_.get(), GWLP_USERDATA, 0) == 0) {
        throw Exception(L"window user data broken");
    }
    releasePeer(true);
    rethrowFromListeners();
}

void Component::releasePeer(bool destroy) {
    HWND window = handle_.get();
    if (window == nullptr) return;
    forgetMouseTracking();
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    // The peer's own procedure must see its WM_DESTROY and WM_NCDESTROY, or a
    // control would not free what it allocated.
    if (previousProcedure_ != 0) SetWindowLongPtrW(window, GWLP_WNDPROC, previousProcedure_);
    previousProcedure_ = 0;
    if (destroy) {
        handle_.reset();
    } else {
        handle_.release();
    }
    backgroundBrush_.reset();
    toolkit_ = nullptr;
}

Component* Component::fromHandle(HWND handle) {
    if (handle == nullptr) return nullptr;
    if (GetWindowLongPtrW(handle, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&windowProcedure)) {
        return nullptr;
    }
    return reinterpret_cast<Component*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
}

LRESULT Component::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Component* component = fromHandle(window);
    if (component == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The system destroys the peer: default processing of WM_CLOSE, or
        // the destruction of an ancestor. The component lets go of it, so
        // that it never holds a dead handle.
        const auto previous = reinterpret_cast<WNDPROC>(component->previousProcedure_);
        component->releasePeer(false);
        return previous != nullptr ? CallWindowProcW(previous, window, message, wParam, lParam)
                                   : DefWindowProcW(window, message, wParam, lParam);
    }
    // An exception must not unwind through user32: it is held, and thrown
    // again by the message loop or by the toolkit call that sent the message.
    try {
        return component->handleMessage(message, wParam, lParam);
    } catch (...) {
        Toolkit::getDefaultToolkit().holdException(std::current_exception());
        return 0;
    }
}

LRESULT Component::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS: {
            FocusEvent event(this);
            focusListeners_.fire(&FocusListener::focusGained, event);
            if (event.consumed) return 0;
            break;
        }
        case WM_MOUSEMOVE:
            if (!mouseInside_) mouseEntering(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_LBUTTONDOWN: {
            const int32_t x = GET_X_LPARAM(lParam);
            const int32_t y = GET_Y_LPARAM(lParam);
            if (!mouseInside_) mouseEntering(x, y);
            MouseEvent event(this, MouseEvent::MOUSE_PRESSED, 1, x, y);
            mouseListeners_.fire(&MouseListener::mousePressed, event);
            if (event.consumed) return 0;
            break;
        }
    }
    return defaultProcessing(message, wParam, lParam);
}

LRESULT Component::defaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = handle_.get();
    // A listener may have destroyed the peer while the message was handled;
    // then nothing is left to process it.
    if (window == nullptr) return 0;
    if (previousProcedure_ != 0) {
        return CallWindowProcW(reinterpret_cast<WNDPROC>(previousProcedure_), window, message,
                               wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Component::handleCommand(int, WPARAM, bool&) { return 0; }

LRESULT Component::handleNotify(int, NMHDR*, bool&) { return 0; }

// The native window learns only that the pointer moved; the toolkit infers
// that it left the previous component of the same window.
void Component::mouseEntering(int32_t x, int32_t y) {
    mouseInside_ = true;
    if (Window* window = getEnclosingWindow()) {
        Component* last = window->mouseComponent_;
        if (last != nullptr && last != this) {
            POINT point{x, y};
            if (handle_.valid() && last->handle_.valid()) {
                MapWindowPoints(handle_.get(), last->handle_.get(), &point, 1);
            }
            last->mouseInside_ = false;
            MouseEvent exited(last, MouseEvent::MOUSE_EXITED, 0, point.x, point.y);
            last->mouseListeners_.fire(&MouseListener::mouseExited, exited);
        }
        window->mouseComponent_ = this;
    }
    MouseEvent entered(this, MouseEvent::MOUSE_ENTERED, 0, x, y);
    mouseListeners_.fire(&MouseListener::mouseEntered, entered);
}

void Component::forgetMouseTracking() {
    mouseInside_ = false;
    if (Window* window = getEnclosingWindow()) {
        if (window->mouseComponent_ == this) window->mouseComponent_ = nullptr;
    }
}

Window* Component::getEnclosingWindow() {
    for (Component* c = this; c != nullptr; c = c->parent_) {
        if (auto* window = dynamic_cast<Window*>(c)) return window;
    }
    return nullptr;
}

void Component::processKeyEvent(KeyEvent& event) {
    switch (event.id) {
        case KeyEvent::KEY_PRESSED:
            keyListeners_.fire(&KeyListener::keyPressed, event);
            break;
        case KeyEvent::KEY_RELEASED:
            keyListeners_.fire(&KeyListener::keyReleased, event);
            break;
        case KeyEvent::KEY_TYPED:
            keyListeners_.fire(&KeyListener::keyTyped, event);
            break;
    }
}

void Component::setLocation(int32_t x, int32_t y) {
    if (x == x_ && y == y_) return;
    x_ = x;
    y_ = y;
    if (!handle_.valid()) return;
    SetWindowPos(handle_.get(), nullptr, x_, y_, width_, height_, SWP_NOSIZE | SWP_NOZORDER);
    rethrowFromListeners();
}

void Component::setSize(int32_t width, int32_t height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    if (!handle_.valid()) return;
    SetWindowPos(handle_.get(), nullptr, x_, y_, width_, height_, SWP_NOMOVE | SWP_NOZORDER);
    getToolkit()->invalidate(this);
    rethrowFromListeners();
}

void Component::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
    const bool resized = width != width_ || height != height_;
    if (!resized && x == x_ && y == y_) return;
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
    if (!handle_.valid()) return;
    SetWindowPos(handle_.get(), nullptr, x_, y_, width_, height_, SWP_NOZORDER);
    if (resized) getToolkit()->invalidate(this);
    rethrowFromListeners();
}

Insets Component::getInsets() { return insets_; }

void Component::setInsets(const Insets& insets) {
    insets_ = insets;
    preferredSize_.width = -1;
}

void Component::validate() {}

void Component::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (!handle_.valid()) return;
    ShowWindow(handle_.get(), visible ? SW_SHOW : SW_HIDE);
    Toolkit* toolkit = getToolkit();
    if (parent_ != nullptr) toolkit->invalidate(parent_);
    if (Window* window = getEnclosingWindow()) toolkit->invalidate(window);
    rethrowFromListeners();
}

void Component::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (handle_.valid()) EnableWindow(handle_.get(), enabled);
}

void Component::requestFocus() {
    if (!handle_.valid()) return;
    SetFocus(handle_.get());
    rethrowFromListeners();
}

Toolkit* Component::getToolkit() {
    if (parent_ == nullptr) return &Toolkit::getDefaultToolkit();
    if (toolkit_ == nullptr) toolkit_ = parent_->getToolkit();
    return toolkit_;
}

void Component::repaint(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (!handle_.valid() || !visible_) return;
    RedrawWindow(handle_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const RECT area{x, y, x + width, y + height};
    InvalidateRect(handle_.get(), &area, TRUE);
}

Size Component::getClientSize() const {
    if (!handle_.valid()) return {width_, height_};
    RECT client;
    GetClientRect(handle_.get(), &client);
    return {client.right - client.left, client.bottom - client.top};
}

Size Component::getBorderSize() const {
    if (!handle_.valid()) return {};
    RECT outer;
    RECT client;
    GetWindowRect(handle_.get(), &outer);
    GetClientRect(handle_.get(), &client);
    return {(outer.right - outer.left) - (client.right - client.left),
            (outer.bottom - outer.top) - (client.bottom - client.top)};
}

bool Component::isShowing() const {
    if (!handle_.valid() || !IsWindowVisible(handle_.get())) return false;
    POINT origin{0, 0};
    ClientToScreen(handle_.get(), &origin);
    return WindowFromPoint(origin) == handle_.get();
}

bool Component::isFocusTraversable() const {
    return handle_.valid() && (GetWindowLongPtrW(handle_.get(), GWL_STYLE) & WS_TABSTOP) != 0;
}

void Component::addStyle(uint32_t bits) {
    if (!handle_.valid()) return;
    const LONG_PTR style = GetWindowLongPtrW(handle_.get(), GWL_STYLE);
    SetWindowLongPtrW(handle_.get(), GWL_STYLE, style | bits);
}

void Component::removeStyle(uint32_t bits) {
    if (!handle_.valid()) return;
    const LONG_PTR style = GetWindowLongPtrW(handle_.get(), GWL_STYLE);
    SetWindowLongPtrW(handle_.get(), GWL_STYLE, style & ~static_cast<LONG_PTR>(bits));
}

void Component::setForeground(uint32_t color) {
    foreground_ = color;
    repaint(0, 0, width_, height_);
}

void Component::setBackground(uint32_t color) {
    backgroundBrush_.reset();
    background_ = color;
    repaint(0, 0, width_, height_);
}

LRESULT Component::controlColor(Container& parent, UINT message, HDC dc, bool& handled) {
    if (background_ != NO_COLOR) {
        if (foreground_ != NO_COLOR) SetTextColor(dc, foreground_);
        SetBkColor(dc, background_);
        if (!backgroundBrush_.valid()) backgroundBrush_.reset(CreateSolidBrush(background_));
        handled = true;
        return reinterpret_cast<LRESULT>(backgroundBrush_.get());
    }
    if (foreground_ != NO_COLOR) {
        // Only the text colour changes; the background stays what the
        // container would give any child.
        const LRESULT brush = static_cast<Component&>(parent).defaultProcessing(
            message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(handle_.get()));
        SetTextColor(dc, foreground_);
        handled = true;
        return brush;
    }
    return 0;
}

void Component::getTextExtent(const std::wstring& text, Size* size, TEXTMETRICW* metrics) const {
    HGDIOBJ font = Toolkit::getGuiFont();
    if (!boldWidthReserved_) {
        font = handle_.valid()
                   ? reinterpret_cast<HGDIOBJ>(SendMessageW(handle_.get(), WM_GETFONT, 0, 0))
                   : guiFont(bold_);
    }
    HDC dc = measuringContext();
    if (size != nullptr) {
        ObjectSelection selection(dc, boldWidthReserved_ ? boldGuiFont() : font);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        *size = {extent.cx, extent.cy};
    }
    if (metrics != nullptr) {
        ObjectSelection selection(dc, font);
        GetTextMetricsW(dc, metrics);
    }
}

void Component::setBold(bool bold) {
    if (bold == bold_) return;
    bold_ = bold;
    if (!handle_.valid()) return;
    SendMessageW(handle_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(guiFont(bold_)), TRUE);
    rethrowFromListeners();
}

void Component::reserveBoldWidth() {
    boldWidthReserved_ = true;
    preferredSize_.width = -1;
}

void Component::setTimer(uint32_t interval, ActionListener* listener) {
    if (!handle_.valid()) return;
    SetTimer(handle_.get(), reinterpret_cast<UINT_PTR>(listener), interval, timerProcedure);
}

void Component::killTimer(ActionListener* listener) {
    if (handle_.valid()) KillTimer(handle_.get(), reinterpret_cast<UINT_PTR>(listener));
}

}  // namespace awt
