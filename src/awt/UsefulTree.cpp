#include "awt/UsefulTree.h"

namespace awt {

UsefulTree::UsefulTree() {
    addMouseListener(this);
    addItemListener(this);
}

void UsefulTree::mouseEntered(MouseEvent&) {}

void UsefulTree::mouseExited(MouseEvent&) {}

void UsefulTree::mousePressed(MouseEvent& event) {
    if (Node* node = getNodeAt(event.x, event.y)) select(node);
}

void UsefulTree::itemStateChanged(ItemEvent&) {
    if (Node* selected = getSelected()) setExpanded(selected, true);
}

}  // namespace awt
