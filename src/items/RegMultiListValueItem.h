#pragma once

#include "items/RegMultiValueItem.h"

// One element of the comma-separated number list that is the value of one
// entry of an entry list, as 9 is of b in a=1 b=2,9,4 at index 1. It only
// replaces elements: when the registry text has no such element it starts
// from the correction text, and fails when that has none either.
class RegMultiListValueItem : public RegMultiValueItem {
public:
    int32_t getIndex() const { return index_; }

protected:
    void readParameters(const xml::Element& params) override;
    // Unlike its base, a missing value throws RegKeyException.
    void storeTo(RegistryStorage& storage) override;
    int32_t valueIn(const std::wstring& entryValueText) const override;
    // Throws IllegalArgumentException "no systemValueString", "no entryName"
    // or "index out of range" when even the correction text has no place for
    // the number.
    std::wstring placeValue(const std::wstring& text, int32_t value) const override;

private:
    int32_t index_ = 0;
};
