#include "registry/RegistryStorageKey.h"

#include <windows.h>

#include <cstring>
#include <optional>

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
    values_[{value->isDefault(), toLowerCase(value->getName())}] = std::move(value);
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
    const auto found = values_.find({name == NULL_STRING, toLowerCase(name)});
    return found == values_.end() ? NULL_STRING : found->second->toString();
}

void RegistryStorage::Key::markDeleteFirst() { deleteFirst_ = true; }

bool RegistryStorage::Key::onlyDeletesValues() const {
    if (deleteFirst_) return false;
    for (const auto& [name, value] : values_)
        if (!dynamic_cast<const DeleteValue*>(value.get())) return false;
    return true;
}

void RegistryStorage::DeleteKey::store(std::unique_ptr<Value> value) {
    if (!dynamic_cast<const DeleteValue*>(value.get()))
        throw ConfigException(L"conflict set and delete: " + getPath());
}

namespace {

// Deeper keys than this the registry itself refuses to create.
constexpr int maxTreeLevels = 512;

// A value read from the registry in the typed form only where that form
// writes the same bytes back; anything else (no terminator, odd sizes, a
// DWORD of other than 4 bytes, types without a typed form) keeps its bytes
// and type as they are.
std::unique_ptr<RegistryStorage::Value> typedValue(const std::wstring& name,
                                                   const RegKey::RawValue& value) {
    const std::vector<uint8_t>& data = value.data;
    switch (value.type) {
        case REG_SZ:
            if (!isTerminatedText(data)) break;
            return std::make_unique<RegistryStorage::SZValue>(name, textOf(data));
        case REG_EXPAND_SZ:
            if (!isTerminatedText(data)) break;
            return std::make_unique<RegistryStorage::EXPAND_SZValue>(name, textOf(data));
        case REG_MULTI_SZ:
            if (!isTerminatedText(data)) break;
            return std::make_unique<RegistryStorage::MULTI_SZValue>(name, textOf(data));
        case REG_BINARY:
            return std::make_unique<RegistryStorage::BINARYValue>(name, data.data(), data.size());
        case REG_DWORD: {
            if (data.size() != sizeof(uint32_t)) break;
            uint32_t dword;
            std::memcpy(&dword, data.data(), sizeof dword);
            return std::make_unique<RegistryStorage::DWORDValue>(name, dword);
        }
    }
    return std::make_unique<RegistryStorage::RawValue>(name, value.type, data.data(), data.size());
}

}  // namespace

void RegistryStorage::Key::loadValues() { loadValues(RegKey(path_, RegKey::READ)); }

// Values are taken by the names the registry enumerates, where the default is
// the empty name: no name in the data stands for it.
void RegistryStorage::Key::loadValues(const RegKey& key) {
    for (const auto& [enumerated, type] : key.getValueTypes()) {
        const bool isDefault = enumerated.empty();
        std::unique_ptr<Value> value = typedValue(isDefault ? NULL_STRING : enumerated,
                                                  key.getEnumeratedValue(enumerated));
        value->setDefault(isDefault);
        store(std::move(value));
    }
}

void RegistryStorage::Key::loadValue(const std::wstring& name) {
    const std::optional<RegKey::RawValue> value = RegKey(path_, RegKey::READ).findRawValue(name);
    if (value) {
        store(typedValue(name, *value));
    } else {
        deleteValue(name);
    }
}

void RegistryStorage::Key::loadTree() { loadTree(1); }

// Every key is opened as itself, never through a link, and checked before
// anything below it is read.
void RegistryStorage::Key::loadTree(int level) {
    if (level > maxTreeLevels) {
        throw RegKeyException(L"key tree deeper than " + std::to_wstring(maxTreeLevels) +
                              L" levels: " + path_);
    }
    std::vector<std::wstring> subKeys;
    {
        const RegKey key(path_, RegKey::READ, REG_OPTION_OPEN_LINK);
        if (key.isLink()) throw RegKeyException(L"registry link can't be backed up: " + path_);
        loadValues(key);
        subKeys = key.getSubKeyNames();
    }
    const std::wstring prefix = !path_.empty() && path_.back() == L'\\' ? path_ : path_ + L'\\';
    for (const std::wstring& name : subKeys) storage_->getKey(prefix + name).loadTree(level + 1);
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
