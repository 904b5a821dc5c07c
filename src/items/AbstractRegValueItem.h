#pragma once

#include <climits>

#include "items/AbstractRegItem.h"
#include "items/ValueItem.h"

// A registry value shown as a number field. Values are stored and written
// unscaled; the scale is the view's business only.
class AbstractRegValueItem : public AbstractRegItem, public virtual ValueItem {
public:
    int32_t getStoredValue() const override { return storedValue_; }
    int32_t getCurrentValue() const override { return currentValue_; }
    int32_t getDefaultValue() const override { return defaultValue_; }
    int32_t getDefaultMeaning() const override { return defaultMeaning_; }
    int32_t getMin() const override { return min_; }
    int32_t getMax() const override { return max_; }
    int32_t getStep() const override { return step_; }
    int32_t getBlock() const override { return block_; }
    int32_t getScale() const override { return scale_; }
    // NULL_STRING when no unit was given, so that the view can tell it from
    // an empty one.
    const std::wstring& getUnit() const override { return unit_; }
    // No range check: the bounds are the view's.
    void setCurrentValue(int32_t value) override;
    // For items whose default follows another item's value.
    void setDefaultValue(int32_t value);

    awt::Component* createView() override;
    void setToDefault() override { setCurrentValue(defaultValue_); }
    void apply() override;
    bool isChanged() const override { return currentValue_ != storedValue_; }
    void revert() override { setCurrentValue(storedValue_); }

protected:
    void readParameters(const xml::Element& params) override;
    // The default parameter is required: without it parsing NULL_STRING fails.
    void deriveDefault() override;
    void load() override;
    void commit() override;
    virtual int32_t readValue(RegKey& key) = 0;
    virtual void writeValue(RegKey& key, int32_t value) = 0;

private:
    int32_t min_ = INT32_MIN;
    int32_t max_ = INT32_MAX;
    int32_t step_ = 1;
    int32_t block_ = 10;
    int32_t scale_ = 1;
    std::wstring unit_ = NULL_STRING;
    int32_t defaultValue_ = 0;
    int32_t defaultMeaning_ = 0;
    int32_t storedValue_ = 0;
    int32_t currentValue_ = 0;
};
