#pragma once

#include <cstdint>
#include <string>

#include "items/Item.h"

// An item whose value is one choice out of a list.
class ToggleItem : public virtual Item {
public:
    virtual int32_t getStoredIndex() const = 0;
    virtual int32_t getCurrentIndex() const = 0;
    virtual int32_t getDefaultIndex() const = 0;
    virtual int32_t getChoiceCount() const = 0;
    virtual void setCurrentIndex(int32_t index) = 0;
    virtual const std::wstring& getChoiceName(int32_t index) const = 0;
};
