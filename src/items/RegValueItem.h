#pragma once

#include "items/AbstractRegValueItem.h"

// A registry number held as a DWORD or as decimal text.
class RegValueItem : public AbstractRegValueItem {
protected:
    int32_t readValue(RegKey& key) override;
    void writeValue(RegKey& key, int32_t value) override;
    void storeTo(RegistryStorage& storage) override;

private:
    bool deletesOnWrite(int32_t value) const;
};
