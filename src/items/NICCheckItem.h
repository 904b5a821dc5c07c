#pragma once

#include "items/NICInheritingItem.h"
#include "items/RegCheckItem.h"

// An on/off TCP/IP setting, system-wide or per interface.
class NICCheckItem : public NICInheritingItem<RegCheckItem, NICCheckItem> {
public:
    NICCheckItem() = default;

    Item* createInterfaceCopy(const std::wstring& interfaceKeyPath) override;
    void setInherited(bool inherited) override;

protected:
    NICCheckItem(const NICCheckItem&) = default;

private:
    friend NICInheritingItem;
    // The default, and an inheriting current state, follow the system-wide
    // item's current state.
    virtual void updateFromInheritee();
    void takeDefault() { setCurrentState(getDefaultState()); }
};
