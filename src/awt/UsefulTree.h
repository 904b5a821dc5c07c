#pragma once

#include "awt/Tree.h"

namespace awt {

// A tree that behaves as a category list should: a mouse press selects the
// node under the pointer, and whatever becomes selected opens.
class UsefulTree : public Tree, public MouseListener, public ItemListener {
public:
    UsefulTree();

    void mouseEntered(MouseEvent& event) override;
    void mouseExited(MouseEvent& event) override;
    void mousePressed(MouseEvent& event) override;
    void itemStateChanged(ItemEvent& event) override;
};

}  // namespace awt
