#pragma once

#include "awt/Container.h"

namespace awt {

// A top-level container. It starts hidden at a position that the system
// chooses, keeps its geometry in step with the native window as the user
// moves and sizes it, and tells its window listeners when it is asked to
// close. The native class comes from subclasses.
class Window : public virtual Container {
public:
    Window();

    virtual void onMove(int32_t x, int32_t y);
    virtual void onSize(UINT type, int32_t width, int32_t height);
    virtual void onSizing(UINT edge, int32_t width, int32_t height);
    virtual void onSysCommand(WPARAM command);
    virtual void onGetMinMaxInfo(MINMAXINFO* info);

    uint32_t getStyle() override;
    HWND createPeer() override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Also creates the peers of the whole tree when the window is first shown.
    void setVisible(bool visible) override;
    // Learns the position and size that the system gave the window.
    void addNotify() override;

    void setIcons(HICON smallIcon, HICON bigIcon);
    // The smallest size to which the user can drag the window.
    void setMinimumSize(int32_t width, int32_t height);
    // Creates the peers and gives the window its preferred size.
    void pack();
    // Hides the window and destroys its peers; it can be shown again.
    void dispose();
    void addWindowListener(WindowListener* listener) { windowListeners_.add(listener); }
    void removeWindowListener(WindowListener* listener) { windowListeners_.remove(listener); }

private:
    friend class Component;

    void fireWindowClosing();

    Size minimumSize_{-1, -1};
    HFONT font_ = nullptr;
    ListenerList<WindowListener> windowListeners_;
    // Where the mouse was last seen, to tell that component it has left.
    Component* mouseComponent_ = nullptr;
};

}  // namespace awt
