#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "registry/RegistryStorage.h"

class RegKey;

// The pending changes of one key. Storing a value replaces any earlier value
// or deletion of the same name (ASCII case folded) whatever its kind; value
// name NULL_STRING is the key's default value.
class RegistryStorage::Key {
public:
    Key(RegistryStorage* storage, const std::wstring& path);
    virtual ~Key();
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    const std::wstring& getPath() const { return path_; }

    void setDWORD(const std::wstring& name, uint32_t value);
    void setBytes(const std::wstring& name, const void* bytes, size_t count);
    void setSZ(const std::wstring& name, const std::wstring& text);
    void setExpandSZ(const std::wstring& name, const std::wstring& text);
    // The text holds a zero unit after each string.
    void setMultiSZ(const std::wstring& name, const std::wstring& text);
    // Type 1, 2 or 7; any other throws IllegalArgumentException "type: " + type.
    void setString(const std::wstring& name, uint32_t type, const std::wstring& text);
    // A value of any type, stored as exactly these bytes.
    void setRaw(const std::wstring& name, uint32_t type, const void* bytes, size_t count);
    void deleteValue(const std::wstring& name);
    // The stored value as text, or NULL_STRING when none is stored.
    std::wstring getValueString(const std::wstring& name) const;
    // The file deletes the key with its subtree before setting it again.
    void markDeleteFirst();

    // Copy this key's values, or the whole tree below it, from the registry,
    // so that importing the file restores every value byte for byte. Registry
    // errors end the copy with RegKeyException, and so does a tree that holds
    // a registry link or is deeper than the registry's 512 levels: a file
    // cannot record a link, and following one would copy, and let a clean
    // delete, another part of the registry.
    void loadValues();
    void loadTree();
    // Copies one value of the key as loadValues does, or records its
    // deletion when the key holds none of that name; NULL_STRING is the
    // default value. Throws RegKeyException when the key cannot be read.
    void loadValue(const std::wstring& name);

    // Throws IOException for a path or value name holding CR, LF or NUL,
    // which no line of the file can carry, and for the deletion of a whole
    // root key.
    virtual void write(std::wostream& out) const;

    // Whether the entry records nothing but deletions of values, which the
    // deletion of the whole key would also do.
    bool onlyDeletesValues() const;

protected:
    void writeDeletion(std::wostream& out) const;
    virtual void store(std::unique_ptr<Value> value);

private:
    void loadValues(const RegKey& key);
    void loadTree(int level);

    RegistryStorage* storage_;
    std::wstring path_;
    bool deleteFirst_ = false;
    // By whether the value is the default, which comes last, and then by the
    // folded name.
    std::map<std::pair<bool, std::wstring>, std::unique_ptr<Value>> values_;
};

// Deletes the key and everything below it. Deleting a value of it asks
// nothing more; setting one throws ConfigException "conflict set and
// delete: " + path.
class RegistryStorage::DeleteKey : public RegistryStorage::Key {
public:
    using Key::Key;
    void write(std::wostream& out) const override;

protected:
    void store(std::unique_ptr<Value> value) override;
};
