#include "items/NICValueItem.h"

#include "items/ValueItem.h"

Item* NICValueItem::createInterfaceCopy(const std::wstring& interfaceKeyPath) {
    return setUpCopy(new NICValueItem(*this), interfaceKeyPath);
}

void NICValueItem::updateFromInheritee() {
    const int32_t value = dynamic_cast<const ValueItem&>(*getInheritee()).getCurrentValue();
    setDefaultValue(value);
    if (isInherited()) setCurrentValue(value);
}
