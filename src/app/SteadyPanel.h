#pragma once

#include <algorithm>

#include "awt/Panel.h"

// A panel that never asks for less room than it had when the window was
// packed with the whole catalogue on show. A search hides most settings and
// categories; laid out again, by a resize, the pages and the tree would
// otherwise shrink and the help area grow with what the search found.
class SteadyPanel : public awt::Panel {
public:
    awt::Size getPreferredSize() override {
        const awt::Size wanted = Panel::getPreferredSize();
        return {std::max(wanted.width, held_.width), std::max(wanted.height, held_.height)};
    }
    // Keeps what the panel asks for now as its least.
    void holdSize() { held_ = Panel::getPreferredSize(); }

private:
    awt::Size held_;
};
