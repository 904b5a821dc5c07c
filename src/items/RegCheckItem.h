#pragma once

#include "items/AbstractRegCheckItem.h"

// A registry value that holds one datum for checked and another for not
// checked, both written as text in the definition (bytes as in 01,0a,ff).
class RegCheckItem : public AbstractRegCheckItem {
public:
    const std::wstring& getTrueText() const { return trueText_; }
    const std::wstring& getFalseText() const { return falseText_; }

protected:
    void readParameters(const xml::Element& params) override;
    // Throws ConfigException "default no match: " + text when the default is
    // neither datum.
    void deriveDefault() override;
    bool readState(RegKey& key) override;
    void writeState(RegKey& key, bool state) override;
    void storeTo(RegistryStorage& storage) override;

private:
    // Data read that is neither datum shows as the default.
    bool stateOf(const std::wstring& data) const;
    bool deletesOnWrite(bool state) const;

    std::wstring trueText_ = NULL_STRING;
    std::wstring falseText_ = NULL_STRING;
};
