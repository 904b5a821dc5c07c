#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "awt/Frame.h"
#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"

// The frame of a demo program: shown until Escape, it prints what a
// screenshot is to be checked against once it has been laid out and painted,
// then "ready".
class DemoFrame : public awt::Frame, public awt::KeyListener, public awt::ActionListener {
public:
    explicit DemoFrame(const std::wstring& title) : awt::Frame(title) {
        awt::Toolkit::getDefaultToolkit().addKeyListener(this);
    }

    // Escape ends the demo when it is let go: a window gone at the press
    // would leave Wine holding the key down, and the next program would
    // lose its first Escape.
    void keyPressed(awt::KeyEvent& e) override { e.consumed = e.keyCode == VK_ESCAPE; }
    void keyReleased(awt::KeyEvent& e) override {
        if (e.keyCode != VK_ESCAPE) return;
        e.consumed = true;
        dispose();
        PostQuitMessage(0);
    }
    void keyTyped(awt::KeyEvent&) override {}

    // The timer of run(), once the first layouts have run and painted.
    void actionPerformed(awt::ActionEvent&) override {
        killTimer(this);
        printChecks();
        std::printf("ready\n");
        std::fflush(stdout);
    }

protected:
    // One line per screen point to check: the colour as RRGGBB, then x and y.
    virtual void printChecks() = 0;

    static void nest(awt::Container& parent, awt::Container& child, awt::LayoutManager& layout,
                     const awt::LayoutManager::Constraints* where) {
        child.setLayout(&layout);
        parent.add(&child, where);
    }

    static void print(HWND window, COLORREF color, POINT point) {
        ClientToScreen(window, &point);
        std::printf("%02X%02X%02X %ld %ld\n", GetRValue(color), GetGValue(color), GetBValue(color),
                    point.x, point.y);
    }
};

// The body of a demo's main: the toolkit, the frame, the loop.
template <typename Demo>
int runDemo() {
    awt::Toolkit::setInstance(GetModuleHandleW(nullptr));
    awt::SharedLayouts::create();
    Demo demo;
    demo.setVisible(true);
    demo.setTimer(500, &demo);
    return awt::Toolkit::getDefaultToolkit().run();
}
