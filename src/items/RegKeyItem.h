#pragma once

#include "items/AbstractRegCheckItem.h"

// The presence of a registry key. Checking creates the key and, when the
// definition gives a value parameter, sets its unnamed value to that text;
// unchecking deletes the key, which fails while it has sub-keys.
class RegKeyItem : public AbstractRegCheckItem {
public:
    // The key's whole tree, which unchecking deletes.
    void storePriorState(RegistryStorage& storage) override;

protected:
    // Throws ConfigException "support only REG_SZ" for any other type.
    void readParameters(const xml::Element& params) override;
    void deriveDefault() override;
    void load() override;
    void commit() override;
    // The state is the key's, not a value's: these two are never called.
    bool readState(RegKey&) override { return false; }
    void writeState(RegKey&, bool) override {}
    void storeTo(RegistryStorage& storage) override;

    virtual void createKey();
    virtual void deleteKey();
};
