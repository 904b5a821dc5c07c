#pragma once

#include <cstdint>
#include <deque>
#include <exception>
#include <string>

#include "awt/ListenerList.h"
#include "awt/Listeners.h"
#include "awt/Win32Types.h"

namespace awt {

class Component;

// The process-wide part of the toolkit: the message loop, the keys that every
// window's listeners see first, and the queue of components waiting to be
// laid out. There is one, on the one GUI thread.
class Toolkit {
public:
    static Toolkit& getDefaultToolkit();

    // The module whose resources and window classes the toolkit uses.
    static HINSTANCE getInstance();
    static void setInstance(HINSTANCE instance);

    // The font of every control: the face of the stock GUI font at the
    // height the system gives message text at its DPI. The stock font
    // itself is made once for 96 DPI on Windows and would stay small on a
    // screen of more.
    static HFONT getGuiFont();

    // Runs until WM_QUIT and returns its exit code. Between messages it lays
    // out what is queued, yielding as soon as input is waiting. An exception
    // thrown by a listener ends the loop and propagates from here.
    int run();

    // Queues the component for validate; a queued component stays where it is.
    void invalidate(Component* component);
    bool isInvalid(const Component* component) const;
    // Whether any component waits to be laid out.
    bool hasInvalid() const { return !layoutQueue_.empty(); }
    // Validates queued components in order, stopping early when a message is
    // waiting; what is left waits for the next turn of the loop.
    void validateInvalid();
    // Drops a component that is going away from the queue.
    void forget(const Component* component);

    // Global key listeners get every key message of the loop before the
    // component it is meant for; consuming it stops it there.
    void addKeyListener(KeyListener* listener) { keyListeners_.add(listener); }
    void removeKeyListener(KeyListener* listener) { keyListeners_.remove(listener); }

    // A string of the module's string table, at most 255 characters.
    std::wstring loadString(uint32_t id) const;

    // An exception caught at a window procedure, kept until the toolkit can
    // throw it outside user32. The first one wins until it is thrown.
    void holdException(std::exception_ptr exception);
    void rethrowHeldException();

private:
    Toolkit() = default;

    // Routes one key message; true when a listener or focus traversal
    // consumed it, so it must not reach the native control.
    bool dispatchKey(HWND window, UINT message, WPARAM wParam);

    ListenerList<KeyListener> keyListeners_;
    std::deque<Component*> layoutQueue_;
    std::exception_ptr heldException_;
};

}  // namespace awt
