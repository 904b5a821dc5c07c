#pragma once

#include <vector>

#include "items/AbstractRegItem.h"
#include "items/ToggleItem.h"

// A registry value that takes one of a list of data, each written as text in
// the definition (bytes as in 01,0a,ff, DWORDs in decimal) with a name to
// show for it.
class RegToggleItem : public AbstractRegItem, public virtual ToggleItem {
public:
    int32_t getStoredIndex() const override { return storedIndex_; }
    int32_t getCurrentIndex() const override { return currentIndex_; }
    int32_t getDefaultIndex() const override { return defaultIndex_; }
    int32_t getChoiceCount() const override { return static_cast<int32_t>(values_.size()); }
    // No range check: the view asks only for indexes below the count.
    void setCurrentIndex(int32_t index) override;
    const std::wstring& getChoiceName(int32_t index) const override { return names_.at(index); }

    awt::Component* createView() override;
    void setToDefault() override { setCurrentIndex(defaultIndex_); }
    void apply() override;
    bool isChanged() const override { return currentIndex_ != storedIndex_; }
    void revert() override { setCurrentIndex(storedIndex_); }

protected:
    void readParameters(const xml::Element& params) override;
    // Throws ConfigException "default no match: " + text when the default is
    // none of the data.
    void deriveDefault() override;
    void load() override;
    void commit() override;
    // Data that is none of the choices reads as the default.
    virtual int32_t readIndex(RegKey& key);
    // Writes the current choice.
    virtual void writeIndex(RegKey& key);
    void storeTo(RegistryStorage& storage) override;

private:
    // The first choice whose data is exactly the text, or the default.
    int32_t indexOf(const std::wstring& data) const;
    bool deletesOnWrite() const;
    // The current choice's data; throws IllegalArgumentException for an index
    // that is no choice.
    const std::wstring& currentData() const;

    std::vector<std::wstring> values_;
    std::vector<std::wstring> names_;
    int32_t defaultIndex_ = 0;
    int32_t storedIndex_ = 0;
    int32_t currentIndex_ = 0;
};
