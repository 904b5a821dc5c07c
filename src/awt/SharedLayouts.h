#pragma once

#include "awt/FitLayout.h"
#include "awt/FlowLayout.h"
#include "awt/GridFlowLayout.h"
#include "awt/GridLayout.h"
#include "awt/NullLayout.h"

namespace awt {

// The layout instances that many containers share. None keeps state per
// container, and each lives until the process ends.
class SharedLayouts {
public:
    // Exist from static initialisation on: every container starts with the
    // null layout, and caption panels fit their label.
    static NullLayout& nullLayout();
    static FitLayout& fitLayout();

    // Start-up creates these three; their gaps are set once the main window
    // knows its font.
    static void create();
    // One left-aligned row.
    static FlowLayout& flowLayout();
    // One column of equal cells.
    static GridLayout& gridLayout();
    // Two columns, left-aligned, cells centred vertically: labels and views.
    static GridFlowLayout& gridFlowLayout();
};

}  // namespace awt
