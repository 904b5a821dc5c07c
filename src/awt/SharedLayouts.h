#pragma once

#include "awt/FitLayout.h"
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
};

}  // namespace awt
