#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/Constants.h"
#include "items/AbstractItem.h"

class RegKey;
class RegistryStorage;

// An item bound to one registry value. Configuring reads the parameters, then
// derives the default from them, then loads the value from the registry.
class AbstractRegItem : public AbstractItem {
public:
    void configure(const xml::Element& params) override;
    void store(SaveTarget& target) override;
    // The value of the item's key and name, when apply() would write it.
    void storePriorState(RegistryStorage& storage) override;
    // Whether apply() would write to the registry: the edited value is not
    // the one found there.
    virtual bool isChanged() const = 0;
    // The key path joined with the value name, for the catalogue's one-line
    // description.
    const std::wstring& getShortHelp() const override;

    const std::wstring& getKeyPath() const { return keyPath_; }
    const std::wstring& getValueName() const { return valueName_; }
    DWORD getType() const { return type_; }
    bool isDefaultDeletes() const { return defaultDeletes_; }

    // "REG_SZ" and the four other type names to their codes; throws
    // IllegalArgumentException "typeString:" + text for any other text.
    static DWORD typeFromString(const std::wstring& text);

protected:
    // Records the current value, or its deletion, without touching the
    // registry.
    virtual void storeTo(RegistryStorage& storage) = 0;
    // Each class reads its own parameters and then calls its base's.
    virtual void readParameters(const xml::Element& params);
    virtual void deriveDefault() = 0;
    // Reads the stored value; a registry failure gives the default.
    virtual void load() = 0;
    // Writes the current value and takes it as stored.
    virtual void commit() = 0;

    // Throws ConfigException "no set key name" when no key was given.
    void checkKeyPath() const;
    // Runs read on the item's key opened for reading. False when the key or
    // the value could not be read: the caller then takes its default.
    bool readFromKey(const std::function<void(RegKey&)>& read);
    // Runs write on the item's key opened for changing.
    void writeToKey(const std::function<void(RegKey&)>& write);
    const std::wstring& getDefaultText() const { return defaultText_; }
    // For copies bound to another key; the short help follows.
    void setKeyPath(const std::wstring& keyPath) {
        keyPath_ = keyPath;
        shortHelp_.clear();
    }
    void setDefaultDeletes(bool deletes) { defaultDeletes_ = deletes; }
    const std::wstring& getDefaultMeaningText() const { return defaultMeaningText_; }

private:
    std::wstring keyPath_ = NULL_STRING;
    std::wstring valueName_ = NULL_STRING;
    DWORD type_ = 0;
    std::wstring defaultText_ = NULL_STRING;
    std::wstring defaultMeaningText_ = NULL_STRING;
    bool defaultDeletes_ = false;
    mutable std::wstring shortHelp_;
};
