#pragma once

namespace awt {

class Component;

// Moves the keyboard focus to the next or previous component that can take
// it, in the order of the component tree: Tab and Shift+Tab.
class FocusTraversal {
public:
    // Searches the siblings after (or before) the component, descending into
    // containers, then those of each ancestor in turn. At the end of the
    // window the focus stays: there is no wrap-around.
    static void traverse(Component* from, bool forward);

private:
    static Component* findTarget(Component* component, bool forward);
};

}  // namespace awt
