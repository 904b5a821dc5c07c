#pragma once

#include <string>

#include "items/Item.h"

// An item whose value is on or off.
class CheckItem : public virtual Item {
public:
    virtual bool getStoredState() const = 0;
    virtual bool getCurrentState() const = 0;
    virtual bool getDefaultState() const = 0;
    virtual void setCurrentState(bool state) = 0;
    virtual const std::wstring& getLabel() const = 0;
};
