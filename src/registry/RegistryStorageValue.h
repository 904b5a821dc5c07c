#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "core/Constants.h"
#include "registry/RegistryStorage.h"

// One pending value of a key, written as one line of the file (or a group of
// lines joined by a trailing backslash). Name NULL_STRING is the default value,
// unless a backup marks a value so named as an ordinary one.
class RegistryStorage::Value {
public:
    explicit Value(const std::wstring& name) : name_(name), default_(name == NULL_STRING) {}
    virtual ~Value() = default;
    Value(const Value&) = delete;
    Value& operator=(const Value&) = delete;

    // Whether a text holds CR, LF or NUL: the registry editor ends a line at
    // CR or LF and refuses NUL, so no quoted name, path or string carries one.
    static bool breaksLine(const std::wstring& text);

    const std::wstring& getName() const { return name_; }
    bool isDefault() const { return default_; }
    // A backup learns which value is the default from the registry, which
    // reports it under the empty name, so a value really named U+FFFF is
    // kept apart from it.
    void setDefault(bool isDefault) { default_ = isDefault; }
    virtual void write(std::wostream& out) const = 0;
    // The pending value as text, for items that combine settings in one value.
    virtual std::wstring toString() const = 0;

protected:
    // Writes the name and the equals sign, and returns how many characters
    // that took. Throws IOException for a name that holds CR, LF or NUL.
    size_t writeName(std::wostream& out) const;

private:
    std::wstring name_;
    bool default_;
};

class RegistryStorage::DWORDValue : public RegistryStorage::Value {
public:
    DWORDValue(const std::wstring& name, uint32_t value) : Value(name), value_(value) {}
    void write(std::wostream& out) const override;
    // The value taken as signed.
    std::wstring toString() const override;

private:
    uint32_t value_;
};

// Written as a quoted string, or as hex(1): when the text holds a line break
// or NUL that a quoted string cannot carry.
class RegistryStorage::SZValue : public RegistryStorage::Value {
public:
    SZValue(const std::wstring& name, const std::wstring& text) : Value(name), text_(text) {}
    void write(std::wostream& out) const override;
    std::wstring toString() const override { return text_; }

private:
    std::wstring text_;
};

// Data written as bytes in hexadecimal, after the prefix "hex(N):" with the
// type N in hexadecimal, as the registry editor reads it.
class RegistryStorage::AbstractHexValue : public RegistryStorage::Value {
public:
    void write(std::wostream& out) const override;
    // The bytes read as UTF-16 code units.
    std::wstring toString() const override;
    virtual size_t writeTypePrefix(std::wostream& out) const;

protected:
    AbstractHexValue(const std::wstring& name, uint32_t type, const void* bytes, size_t count);

private:
    uint32_t type_;
    std::vector<uint8_t> bytes_;
};

class RegistryStorage::BINARYValue : public RegistryStorage::AbstractHexValue {
public:
    BINARYValue(const std::wstring& name, const void* bytes, size_t count);
    size_t writeTypePrefix(std::wostream& out) const override;
};

// A text stored as its code units and one terminating zero unit.
class RegistryStorage::HexStringValue : public RegistryStorage::AbstractHexValue {
public:
    HexStringValue(const std::wstring& name, uint32_t type, const std::wstring& text);
    std::wstring toString() const override { return text_; }

private:
    std::wstring text_;
};

class RegistryStorage::EXPAND_SZValue : public RegistryStorage::HexStringValue {
public:
    EXPAND_SZValue(const std::wstring& name, const std::wstring& text);
};

// The text holds a zero unit after each string, so the data ends in two.
class RegistryStorage::MULTI_SZValue : public RegistryStorage::HexStringValue {
public:
    MULTI_SZValue(const std::wstring& name, const std::wstring& text);
};

// Any type with exactly the bytes given: what a backup copies when no typed
// form would give the same bytes back.
class RegistryStorage::RawValue : public RegistryStorage::AbstractHexValue {
public:
    RawValue(const std::wstring& name, uint32_t type, const void* bytes, size_t count)
        : AbstractHexValue(name, type, bytes, count) {}
};

class RegistryStorage::DeleteValue : public RegistryStorage::Value {
public:
    using Value::Value;
    void write(std::wostream& out) const override;
    std::wstring toString() const override { return L"-"; }
};
