#include "registry/RegistryStorageKey.h"

#include <windows.h>

#include <cstring>

#include "core/Constants.h"
#include "core/Exception.h"
#include "core/StringUtil.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageValue.h"

namespace {

// A root name alone, perhaps with trailing backslashes: deleting it would
// empty a whole hive.
bool isRootOnly(const std::wstring& path) {
    const size_t separator = path.find(L'\\');
    return separator == std::wstring::npos ||
           path.find_first_not_of(L'\\', separator) == std::wstring::npos;
}

// Whether a string value's data is exactly a text and one terminating unit,
// the only form that storing the text gives back.
bool isTerminatedText(const std::vector<uint8_t>& data) {
    const size_t size = data.size();
    return size >= 2 && size % 2 == 0 && data[size - 2] == 0 && data[size - 1] == 0;
}

// The text of terminated string data, less the terminator.
std::wstring textOf(const std::vector<uint8_t>& data) {
    std::wstring text(data.size() / 2 - 1, L'\0');
    std::memcpy(text.data(), data.data(), text.size() * 2);
    return text;
}

}  // namespace

RegistryStorage::Key::Key(RegistryStorage* storage, const std::wstring& path)
    : storage_(storage), path_(path) {}

RegistryStorage::Key::~Key() = default;

void RegistryStorage::Key::store(std::unique_ptr<Value> value) {
    values_[toLowerCase(value->getName())] = std::move(value);
}

void RegistryStorage::Key::setDWORD(const std::wstring& name, uint32_t value) {
    store(std::make_unique<DWORDValue>(name, value));
}

void RegistryStorage::Key::setBytes(const std::wstring& name, const void* bytes, size_t count) {
    store(std::make_unique<BINARYValue>(name, bytes, count));
}

void RegistryStorage::Key::setSZ(const std::wstring& name, const std::wstring& text) {
    store(std::make_unique<SZValue>(name, text));
}

void RegistryStorage::Key::setExpandSZ(const std::wstring& name, const std::wstring& text) {
    store(std::make_unique<EXPAND_SZValue>(name, text));
}

void RegistryStorage::Key::setMultiSZ(const std::wstring& name, const std::wstring& text) {
    store(std::make_unique<MULTI_SZValue>(name, text));
}

void RegistryStorage::Key::setString(const std::wstring& name, uint32_t type,
                                     const std::wstring& text) {
    switch (type) {
        case REG_SZ:
            return setSZ(name, text);
        case REG_EXPAND_SZ:
            return setExpandSZ(name, text);
        case REG_MULTI_SZ:
            return setMultiSZ(name, text);
    }
    throw IllegalArgumentException(L"type: " + std::to_wstring(type));
}

void RegistryStorage::Key::setRaw(const std::wstring& name, uint32_t type, const void* bytes,
                                  size_t count) {
    store(std::make_unique<RawValue>(name, type, bytes, count));
}

void RegistryStorage::Key::deleteValue(const std::wstring& name) {
    store(std::make_unique<DeleteValue>(name));
}

std::wstring RegistryStorage::Key::getValueString(const std::wstring& name) const {
    const auto found = values_.find(toLowerCase(name));
    return found == values_.end() ? NULL_STRING : found->second->toString();
}

void RegistryStorage::Key::markDeleteFirst() { deleteFirst_ = true; }

// Every value is read raw and stored in the typed form only where that form
// writes the same bytes back; anything else (no terminator, odd sizes, a
// DWORD of other than 4 bytes, types without a typed form) keeps its bytes and
// type as they are.
void RegistryStorage::Key::loadValues() {
    const RegKey key(path_, RegKey::READ);
    for (const auto& [enumerated, type] : key.getValueTypes()) {
        const std::wstring name = enumerated.empty() ? NULL_STRING : enumerated;
        const RegKey::RawValue value = key.getRawValue(name);
        const std::vector<uint8_t>& data = value.data;
        switch (value.type) {
            case REG_SZ:
            case REG_EXPAND_SZ:
            case REG_MULTI_SZ:
                if (!isTerminatedText(data)) break;
                setString(name, value.type, textOf(data));
                continue;
            case REG_BINARY:
                setBytes(name, data.data(), data.size());
                continue;
            case REG_DWORD:
                if (data.size() != sizeof(uint32_t)) break;
                uint32_t dword;
                std::memcpy(&dword, data.data(), sizeof dword);
                setDWORD(name, dword);
                continue;
        }
        setRaw(name, value.type, data.data(), data.size());
    }
}

void RegistryStorage::Key::loadTree() {
    loadValues();
    const std::vector<std::wstring> subKeys = RegKey(path_, RegKey::READ).getSubKeyNames();
    const std::wstring prefix = !path_.empty() && path_.back() == L'\\' ? path_ : path_ + L'\\';
    for (const std::wstring& name : subKeys) storage_->getKey(prefix + name).loadTree();
}

void RegistryStorage::Key::writeDeletion(std::wostream& out) const {
    if (isRootOnly(path_)) throw IOException(L"a whole root key can't be deleted: " + path_);
    out << L"[-" << path_ << L"]\r\n\r\n";
}

void RegistryStorage::Key::write(std::wostream& out) const {
    if (Value::breaksLine(path_)) {
        throw IOException(L"key path with line break or NUL can't be written: " + path_);
    }
    if (deleteFirst_) writeDeletion(out);
    out << L"[" << path_ << L"]\r\n";
    for (const auto& [lowerCaseName, value] : values_) value->write(out);
    out << L"\r\n";
}

void RegistryStorage::DeleteKey::write(std::wostream& out) const {
    if (Value::breaksLine(getPath())) {
        throw IOException(L"key path with line break or NUL can't be written: " + getPath());
    }
    writeDeletion(out);
}
