#pragma once

#include <cstdint>
#include <string>

class AbstractItem;

// Tells a listener which property of an item changed. Listeners read the new
// value from the item itself; the old and new values carried here stay 0.
class PropertyChangeEvent {
public:
    // The edited value, state or choice changed.
    static inline const std::wstring CURRENT_VALUE = L"currentValue";
    // The default value or state changed.
    static inline const std::wstring DEFAULT_VALUE = L"defaultValue";

    PropertyChangeEvent(AbstractItem* source, const std::wstring& propertyName)
        : source_(source), propertyName_(propertyName) {}

    AbstractItem* getSource() const { return source_; }
    const std::wstring& getPropertyName() const { return propertyName_; }

private:
    AbstractItem* source_;
    bool flag_ = false;
    std::wstring propertyName_;
    int32_t oldValue_ = 0;
    int32_t newValue_ = 0;
};
