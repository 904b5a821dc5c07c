#include "awt/FitLayout.h"

#include "awt/Container.h"
#include "core/Exception.h"

namespace awt {

namespace {

void requireSingleChild(const Container& parent) {
    if (parent.getComponentCount() > 1) throw Exception(L"FitLayout for single child container");
}

}  // namespace

Size FitLayout::preferredLayoutSize(Container& parent) {
    requireSingleChild(parent);
    const Insets insets = parent.getInsets();
    Size size{insets.left + insets.right, insets.top + insets.bottom};
    if (parent.getComponentCount() == 1) {
        const Size p = parent.getComponent(0)->getPreferredSize();
        size.width += p.width;
        size.height += p.height;
    }
    return size;
}

void FitLayout::layoutContainer(Container& parent) {
    requireSingleChild(parent);
    if (parent.getComponentCount() == 0) return;
    const Insets insets = parent.getInsets();
    const Size d = parent.getPreferredSize();
    parent.getComponent(0)->setBounds(insets.left, insets.top, d.width - insets.left - insets.right,
                                      d.height - insets.top - insets.bottom);
}

}  // namespace awt
