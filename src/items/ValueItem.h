#pragma once

#include <cstdint>
#include <string>

#include "items/Item.h"

// An item whose value is a 32-bit signed number.
class ValueItem : public virtual Item {
public:
    virtual int32_t getStoredValue() const = 0;
    virtual int32_t getCurrentValue() const = 0;
    virtual int32_t getDefaultValue() const = 0;
    // The number the default stands for when it is shown.
    virtual int32_t getDefaultMeaning() const = 0;
    virtual int32_t getMin() const = 0;
    virtual int32_t getMax() const = 0;
    virtual int32_t getStep() const = 0;
    virtual int32_t getBlock() const = 0;
    // The view shows value / scale and stores input * scale. Always
    // positive: configuring refuses any other.
    virtual int32_t getScale() const = 0;
    virtual const std::wstring& getUnit() const = 0;
    virtual void setCurrentValue(int32_t value) = 0;
};
