#pragma once

#include "items/AbstractRegValueItem.h"

// One number inside a text value that holds several space-separated entries
// of the form name=value, as in a=1 b=2,3,4 c=. The other entries stay as
// they are, so several items can share one value. Default deletes has no
// effect: the value holds more than this item's number.
class RegMultiValueItem : public AbstractRegValueItem {
public:
    const std::wstring& getEntryName() const { return entryName_; }
    const std::wstring& getCorrection() const { return correction_; }

protected:
    void readParameters(const xml::Element& params) override;
    int32_t readValue(RegKey& key) override;
    void writeValue(RegKey& key, int32_t value) override;
    // Starts from what the storage already holds for the value, so that the
    // items sharing it compose; a key that cannot be opened throws
    // RegKeyException.
    void storeTo(RegistryStorage& storage) override;

    // The number in the value text of this item's entry, or the default.
    virtual int32_t valueIn(const std::wstring& entryValueText) const;
    // The registry text (NULL_STRING when there is none) with this item's
    // number set.
    virtual std::wstring placeValue(const std::wstring& text, int32_t value) const;
    // The registry text, or NULL_STRING when the value is missing.
    std::wstring readText(const RegKey& key) const;

private:
    std::wstring entryName_ = NULL_STRING;
    // The text to start from when the value is missing.
    std::wstring correction_ = NULL_STRING;
};
