#pragma once

#include <functional>
#include <string>

#include "awt/Component.h"
#include "awt/Frame.h"

// Helpers for tests on real windows: running the toolkit's loop until
// something has happened, and driving the X display as a person would.
namespace awt_test {

// Runs the toolkit's message loop until done() holds or the time is up;
// returns done().
bool runUntil(const std::function<bool()>& done, int timeoutMilliseconds = 5000);
void runFor(int milliseconds);

// Runs xdotool on the test display. It returns before xdotool has finished:
// wait for what its input causes.
void xdotool(const std::wstring& arguments);

// Gives the frame the X keyboard focus, presses the keys (xdotool syntax),
// then F12, and runs the loop until F12 has arrived, so that every key
// before it has been handled. False when it never came.
bool typeKeys(const awt::Frame& frame, const std::wstring& keys);

// A native single-line edit control that takes part in Tab traversal.
class Edit : public awt::Component {
public:
    const wchar_t* getClassName() override { return L"EDIT"; }
    uint32_t getStyle() override;
    awt::Size getPreferredSize() override { return {80, 20}; }
    std::wstring getText() const;
};

}  // namespace awt_test
