#pragma once

#include "items/AbstractRegCheckItem.h"

// The presence of one string in a REG_MULTI_SZ list. Other strings of the
// list stay as they are, so several items can share one value; the value is
// written as REG_MULTI_SZ whatever the type parameter says.
class RegMultiStringCheckItem : public AbstractRegCheckItem {
public:
    const std::wstring& getPattern() const { return pattern_; }

protected:
    void readParameters(const xml::Element& params) override;
    void deriveDefault() override;
    // A missing value throws, so that it shows the default state.
    bool readState(RegKey& key) override;
    void writeState(RegKey& key, bool state) override;
    // Starts from what the storage already holds for the value, so that the
    // items sharing it compose.
    void storeTo(RegistryStorage& storage) override;

private:
    std::wstring pattern_ = NULL_STRING;
};
