#pragma once

#include <cstdint>

#include "items/Item.h"

// An item whose value is a word of bits, which its view sets field by field.
class BitValueItem : public virtual Item {
public:
    virtual uint32_t getStoredValue() const = 0;
    virtual uint32_t getCurrentValue() const = 0;
    virtual uint32_t getDefaultValue() const = 0;
    virtual void setCurrentValue(uint32_t value) = 0;
};
