#pragma once

#include <windows.h>

#include <string>

// Measures, from outside, how long a GUI program takes from being started
// to showing its main window painted: from just before CreateProcessW until
// the process has gone idle for input (WaitForInputIdle), a visible
// top-level window of it exists, and a screenshot of that window is not
// mostly the black of the empty display. The window is then sent WM_CLOSE
// and the process waited for, as long again as the timeout; one that does
// not end is killed.
//
// Throws std::runtime_error when the program ends before its window is
// painted, shows a message box (how velmora reports a failed start), does
// not end once closed, or takes longer than the timeout.
// closingSeconds, if given, receives how long the process took to end
// after WM_CLOSE.
double timeStartup(const std::wstring& program, const std::wstring& arguments,
                   double timeoutSeconds, double* closingSeconds = nullptr);

// The share of a grid of sample points of the screen area that are not
// black. A window counts as painted from paintedShare on: one of either
// program is a light face or page, with dark points only where text is.
double nonBlackShare(const RECT& area);
constexpr double paintedShare = 0.5;

// Whether the whole display is below emptyShare: the Xvfb root is black,
// and no window of an earlier start is left on it.
bool displayEmpty();
constexpr double emptyShare = 0.1;
