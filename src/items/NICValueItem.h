#pragma once

#include "items/NICInheritingItem.h"
#include "items/RegValueItem.h"

// A numeric TCP/IP setting, system-wide or per interface.
class NICValueItem : public NICInheritingItem<RegValueItem, NICValueItem> {
public:
    NICValueItem() = default;

    Item* createInterfaceCopy(const std::wstring& interfaceKeyPath) override;
    // The view puts the value it shows into the item.
    void setInherited(bool inherited) override { setCurrentInherited(inherited); }

protected:
    NICValueItem(const NICValueItem&) = default;

private:
    friend NICInheritingItem;
    // The default, and an inheriting current value, follow the system-wide
    // item's current value.
    void updateFromInheritee();
    void takeDefault() { setCurrentValue(getDefaultValue()); }
};
