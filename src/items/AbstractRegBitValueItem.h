#pragma once

#include "items/AbstractRegItem.h"
#include "items/BitValueItem.h"

// A DWORD registry value whose single bits the subclasses' own views set. It
// is always read and written as a DWORD, whatever the type parameter says.
class AbstractRegBitValueItem : public AbstractRegItem, public virtual BitValueItem {
public:
    uint32_t getStoredValue() const override { return storedValue_; }
    uint32_t getDefaultValue() const override { return defaultValue_; }
    uint32_t getCurrentValue() const override { return currentValue_; }
    void setCurrentValue(uint32_t value) override;

    void setToDefault() override { setCurrentValue(defaultValue_); }
    void apply() override;
    bool isChanged() const override { return currentValue_ != storedValue_; }
    void revert() override { setCurrentValue(storedValue_); }

protected:
    // The default parameter is required: without it parsing NULL_STRING fails.
    void deriveDefault() override;
    void load() override;
    void commit() override;
    virtual uint32_t readValue(RegKey& key);
    virtual void writeValue(RegKey& key, uint32_t value);
    void storeTo(RegistryStorage& storage) override;

private:
    bool deletesOnWrite(uint32_t value) const;

    uint32_t defaultValue_ = 0;
    uint32_t storedValue_ = 0;
    uint32_t currentValue_ = 0;
};
