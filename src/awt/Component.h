#pragma once

#include <cstdint>
#include <string>

#include "awt/Geometry.h"
#include "awt/ListenerList.h"
#include "awt/Listeners.h"
#include "awt/NativeHandles.h"
#include "awt/Win32Types.h"

namespace awt {

class Container;
class Toolkit;
class Window;

// One element of the window tree. It owns at most one native window, its
// peer, from addNotify to removeNotify. Geometry, colours and listeners live
// here, so they can be set before the peer exists and outlast it. Subclasses
// supply the native class and styles; a control that needs more than
// CreateWindowExW overrides createPeer, and reacts to its own notifications
// in handleCommand and handleNotify, which its container reflects to it.
class Component {
public:
    // A colour value meaning "not set": the native default applies.
    static constexpr uint32_t NO_COLOR = 0xFFFFFFFF;

    Component();
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    // An atom made with MAKEINTATOM is a valid class name too.
    virtual const wchar_t* getClassName() = 0;
    virtual std::wstring getWindowText();
    virtual uint32_t getStyle();
    virtual uint32_t getExStyle();
    virtual HWND createPeer();
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT handleCommand(int code, WPARAM wParam, bool& handled);
    virtual LRESULT handleNotify(int code, NMHDR* header, bool& handled);
    virtual void setLocation(int32_t x, int32_t y);
    virtual void setSize(int32_t width, int32_t height);
    virtual void setBounds(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual Size getPreferredSize() = 0;
    virtual Insets getInsets();
    virtual void setInsets(const Insets& insets);
    virtual void validate();
    virtual void setVisible(bool visible);
    virtual void setEnabled(bool enabled);
    virtual void requestFocus();
    virtual Toolkit* getToolkit();
    virtual void addNotify();
    virtual void removeNotify();
    virtual void repaint(int32_t x, int32_t y, int32_t width, int32_t height);
    // The native windows that this component and every one below it have
    // once all are realized, deferred cards included: a process may own only
    // so many, and a window must know before it starts making them.
    virtual int32_t countNativeWindows() const { return 1; }

    Point getLocation() const { return {x_, y_}; }
    Size getSize() const { return {width_, height_}; }
    // The peer's client area, or the stored size while there is no peer.
    Size getClientSize() const;
    // The peer's non-client frame; (0, 0) without a peer.
    Size getBorderSize() const;
    bool isVisible() const { return visible_; }
    bool isEnabled() const { return enabled_; }
    // True only when the peer can really be seen at its client origin, so a
    // card moved out of view does not count.
    bool isShowing() const;
    bool isFocusTraversable() const;
    void addStyle(uint32_t bits);
    void removeStyle(uint32_t bits);

    uint32_t getForeground() const { return foreground_; }
    uint32_t getBackground() const { return background_; }
    void setForeground(uint32_t color);
    void setBackground(uint32_t color);

    // Measures with the peer's font, or with the default GUI font that every
    // peer gets while there is no peer; text bold once its bold width is
    // reserved. Either output may be null.
    void getTextExtent(const std::wstring& text, Size* size, TEXTMETRICW* metrics) const;

    // Shows the text in the bold face of the default GUI font, or in the
    // regular one again. The preferred size stays as it was measured: a
    // text that may turn bold reserves its bold width first.
    void setBold(bool bold);
    bool isBold() const { return bold_; }
    // From now on the text is measured bold, whatever its weight, so that
    // turning bold neither clips it nor moves its neighbours. The metrics
    // stay the regular face's: the spacing derived from them must not
    // differ from that of components beside it.
    void reserveBoldWidth();

    // The listener is the timer's identity: one timer per listener and peer.
    // Timers belong to the peer, so without one nothing is set.
    void setTimer(uint32_t interval, ActionListener* listener);
    void killTimer(ActionListener* listener);

    void addMouseListener(MouseListener* listener) { mouseListeners_.add(listener); }
    void removeMouseListener(MouseListener* listener) { mouseListeners_.remove(listener); }
    void addKeyListener(KeyListener* listener) { keyListeners_.add(listener); }
    void removeKeyListener(KeyListener* listener) { keyListeners_.remove(listener); }
    void addFocusListener(FocusListener* listener) { focusListeners_.add(listener); }
    void removeFocusListener(FocusListener* listener) { focusListeners_.remove(listener); }

    // Delivers a key event of the message loop to this component's listeners.
    void processKeyEvent(KeyEvent& event);

    Container* getParent() const { return parent_; }
    HWND getHandle() const { return handle_.get(); }
    // The nearest window among this component and its ancestors, or none.
    Window* getEnclosingWindow();

    // The component of a window that the toolkit created and subclassed;
    // none for any other window.
    static Component* fromHandle(HWND handle);

protected:
    // What the peer would do with the message without the toolkit: its own
    // procedure from before subclassing, or DefWindowProcW.
    LRESULT defaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

    Insets insets_;
    // Controls cache their preferred size here; a width of -1 means that it
    // must be computed again.
    Size preferredSize_{-1, -1};

private:
    friend class Container;
    friend class Window;

    // The procedure of every peer. One calling convention serves all
    // functions on x64, so a plain static member is a valid WNDPROC.
    static LRESULT windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Detaches the peer from this component; destroys it unless the system
    // is already doing so. Never throws, so destructors can use it.
    void releasePeer(bool destroy);
    void mouseEntering(int32_t x, int32_t y);
    void forgetMouseTracking();
    // Colours for a WM_CTLCOLOR... message that the parent reflected here.
    LRESULT controlColor(Container& parent, UINT message, HDC dc, bool& handled);

    int32_t x_ = 0;
    int32_t y_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool bold_ = false;
    bool boldWidthReserved_ = false;
    uint32_t foreground_ = NO_COLOR;
    uint32_t background_ = NO_COLOR;
    Container* parent_ = nullptr;
    WindowHandle handle_;
    BrushHandle backgroundBrush_;
    LRESULT previousProcedure_ = 0;
    Toolkit* toolkit_ = nullptr;
    ListenerList<MouseListener> mouseListeners_;
    ListenerList<KeyListener> keyListeners_;
    ListenerList<FocusListener> focusListeners_;
    bool mouseInside_ = false;
};

}  // namespace awt
