#include "items/NICCheckItem.h"

#include "items/CheckItem.h"

Item* NICCheckItem::createInterfaceCopy(const std::wstring& interfaceKeyPath) {
    return setUpCopy(new NICCheckItem(*this), interfaceKeyPath);
}

void NICCheckItem::updateFromInheritee() {
    const bool state = dynamic_cast<const CheckItem&>(*getInheritee()).getCurrentState();
    setDefaultState(state);
    if (isInherited()) setCurrentState(state);
}

void NICCheckItem::setInherited(bool inherited) {
    if (inherited == isInherited()) return;
    setCurrentInherited(inherited);
    if (inherited) updateFromInheritee();
}
