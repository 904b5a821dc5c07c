#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "awt/Component.h"
#include "awt/Frame.h"

// Helpers for tests on real windows: running the toolkit's loop until
// something has happened, and driving the X display as a person would.
namespace awt_test {

using Lines = std::vector<std::wstring>;

// Shows the frame at the same place for every test and lets it paint.
void show(awt::Frame& frame, int width = 420, int height = 300);

// Runs the toolkit's message loop until done() holds or the time is up;
// returns done().
bool runUntil(const std::function<bool()>& done, int timeoutMilliseconds = 5000);
void runFor(int milliseconds);

// Starts a program of /usr/bin with its arguments, on the test display. It
// returns before the program has finished.
void startLinux(const std::wstring& program);
// Runs xdotool on the test display: wait for what its input causes.
void xdotool(const std::wstring& arguments);
// Saves the whole test display as a PNG at the Linux path; runs the loop
// meanwhile, so that windows keep painting. False when no picture came.
bool screenshot(const std::wstring& path);
// The xdotool command that moves the pointer to a point of a client area.
std::wstring mousemove(HWND window, int x, int y);
// A left click at a point of the component's client area.
void click(const awt::Component& c, int x, int y);

// Gives the frame the X keyboard focus, presses the keys (xdotool syntax),
// then F12, and runs the loop until F12 has arrived, so that every key
// before it has been handled. False when it never came.
bool typeKeys(const awt::Frame& frame, const std::wstring& keys);

// Writes every event it hears as a line: "action NAME", "item NAME",
// "adjust ID VALUE", a focus gained as "NAME", keys as p, r or t with the
// key code and "+MODIFIERS" if any. F12, which ends typeKeys, is left out.
struct Recorder : awt::ActionListener,
                  awt::ItemListener,
                  awt::AdjustmentListener,
                  awt::KeyListener,
                  awt::FocusListener {
    void actionPerformed(awt::ActionEvent& e) override { add(L"action ", e.source); }
    void itemStateChanged(awt::ItemEvent& e) override { add(L"item ", e.source); }
    void adjustmentValueChanged(awt::AdjustmentEvent& e) override;
    void keyPressed(awt::KeyEvent& e) override { key(L'p', e); }
    void keyReleased(awt::KeyEvent& e) override { key(L'r', e); }
    void keyTyped(awt::KeyEvent& e) override { key(L't', e); }
    void focusGained(awt::FocusEvent& e) override { add(L"", e.source); }
    void add(const wchar_t* kind, const awt::Component* source) {
        lines.push_back(kind + names[source]);
    }
    void key(wchar_t kind, awt::KeyEvent& e);

    Lines lines;
    std::map<const awt::Component*, std::wstring> names;
    int32_t swallowed = 0;    // the key code of keys to consume
    uint32_t adjustedAt = 0;  // the tick count at the last adjustment
};

// A native single-line edit control that takes part in Tab traversal.
class Edit : public awt::Component {
public:
    const wchar_t* getClassName() override { return L"EDIT"; }
    uint32_t getStyle() override;
    awt::Size getPreferredSize() override { return {80, 20}; }
    std::wstring getText() const;
};

}  // namespace awt_test
