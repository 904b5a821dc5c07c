#pragma once

#include "items/AbstractRegItem.h"
#include "items/CheckItem.h"

// A registry value shown as a check box. Subclasses map the state to the
// registry data.
class AbstractRegCheckItem : public AbstractRegItem, public CheckItem {
public:
    bool getStoredState() const override { return storedState_; }
    bool getCurrentState() const override { return currentState_; }
    bool getDefaultState() const override { return defaultState_; }
    void setCurrentState(bool state) override;
    const std::wstring& getLabel() const override { return label_; }
    // For items whose default follows another item's value.
    void setDefaultState(bool state);

    awt::Component* createView() override;
    void setToDefault() override { setCurrentState(defaultState_); }
    void apply() override;
    bool isChanged() const override { return currentState_ != storedState_; }
    void revert() override { setCurrentState(storedState_); }

protected:
    void readParameters(const xml::Element& params) override;
    void load() override;
    void commit() override;
    // Both may throw RegKeyException, which load takes for a missing value.
    virtual bool readState(RegKey& key) = 0;
    virtual void writeState(RegKey& key, bool state) = 0;

    void initDefaultState(bool state) { defaultState_ = state; }
    // For subclasses whose state is not one value of a key.
    void loadState(bool stored) { storedState_ = currentState_ = stored; }
    void takeCurrentAsStored() { storedState_ = currentState_; }

private:
    bool defaultState_ = false;
    bool storedState_ = false;
    bool currentState_ = false;
    std::wstring label_ = NULL_STRING;
};
