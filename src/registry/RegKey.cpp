#include "registry/RegKey.h"

#include <iterator>
#include <memory>
#include <stdexcept>

#include "core/Constants.h"
#include "core/Exception.h"
#include "registry/RegistryLayer.h"

namespace {

// The registry API takes names as NUL-terminated texts: a name holding a NUL
// would silently address the value or key named by its first part.
bool holdsNul(const std::wstring& text) { return text.find(L'\0') != std::wstring::npos; }

const wchar_t* valueNameOf(const std::wstring& name) {
    if (name.empty()) throw IllegalArgumentException(L"empty value name");
    if (holdsNul(name)) throw IllegalArgumentException(L"value name holds NUL: " + name);
    return name == NULL_STRING ? nullptr : name.c_str();
}

std::wstring decimal(DWORD n) { return std::to_wstring(n); }

const DWORD dwordTypes[] = {REG_DWORD};
const DWORD binaryTypes[] = {REG_BINARY};
const DWORD stringTypes[] = {REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ};

// One process-wide layer: the registry is read through it by the one thread
// that loads a catalogue.
const RegistryLayer* activeLayer = nullptr;

}  // namespace

RegKey::Layered::Layered(const RegistryLayer& layer) { activeLayer = &layer; }

RegKey::Layered::~Layered() { activeLayer = nullptr; }

RegKey::RegKey(HKEY root, const std::wstring& subKey, REGSAM access, DWORD options) {
    open(root, subKey, access, options);
}

RegKey::RegKey(const std::wstring& path, REGSAM access) : RegKey(path, access, 0) {}

RegKey::RegKey(const std::wstring& path, REGSAM access, DWORD options) {
    if (holdsNul(path)) throw IllegalArgumentException(L"key path holds NUL: " + path);
    const size_t separator = path.find(L'\\');
    const HKEY root = rootFromString(path.substr(0, separator));
    const std::wstring subKey = separator == std::wstring::npos ? L"" : path.substr(separator + 1);
    if (activeLayer != nullptr) {
        path_ = path;
        openLayered(root, subKey, access, options);
    } else {
        open(root, subKey, access, options);
    }
}

void RegKey::openLayered(HKEY root, const std::wstring& subKey, REGSAM access, DWORD options) {
    if ((access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) != 0)
        throw RegKeyException(L"open key: " + subKey);
    layer_ = activeLayer;
    switch (layer_->keyState(path_)) {
        case RegistryLayer::State::ABSENT:
            throw RegKeyException(L"open key: " + subKey);
        case RegistryLayer::State::REGISTRY:
            open(root, subKey, access, options);
            return;
        case RegistryLayer::State::PRESENT:
            try {
                open(root, subKey, access, options);
            } catch (const RegKeyException&) {
                // Made by the script alone.
            }
            return;
    }
}

RegKey::~RegKey() = default;

void RegKey::open(HKEY root, const std::wstring& subKey, REGSAM access, DWORD options) {
    // Creating takes the empty name for the key itself, where opening takes
    // no name; both then hand out a new handle to the root.
    if (holdsNul(subKey)) throw IllegalArgumentException(L"key path holds NUL: " + subKey);
    HKEY key = nullptr;
    const LONG result =
        (access & KEY_CREATE_SUB_KEY)
            ? RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, options, access, nullptr, &key,
                              nullptr)
            : RegOpenKeyExW(root, subKey.empty() ? nullptr : subKey.c_str(), options, access, &key);
    if (result != ERROR_SUCCESS) throw RegKeyException(L"open key: " + subKey);
    handle_.reset(key);
}

bool RegKey::exists(const std::wstring& path) {
    if (holdsNul(path)) throw IllegalArgumentException(L"key path holds NUL: " + path);
    const size_t separator = path.find(L'\\');
    const HKEY root = rootFromString(path.substr(0, separator));
    if (separator == std::wstring::npos) return true;
    if (activeLayer != nullptr) {
        const RegistryLayer::State state = activeLayer->keyState(path);
        if (state != RegistryLayer::State::REGISTRY) return state == RegistryLayer::State::PRESENT;
    }
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExW(root, path.c_str() + separator + 1, 0, READ, &key);
    if (result == ERROR_FILE_NOT_FOUND) return false;
    if (result != ERROR_SUCCESS) throw RegKeyException(L"open key: " + path.substr(separator + 1));
    RegCloseKey(key);
    return true;
}

HKEY RegKey::rootFromString(const std::wstring& rootName) {
    if (rootName == L"HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
    if (rootName == L"HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
    if (rootName == L"HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
    if (rootName == L"HKEY_USERS") return HKEY_USERS;
    throw IllegalArgumentException(L"rootString: " + rootName);
}

void RegKey::close() {
    if (handle_.get() == nullptr) return;
    if (RegCloseKey(handle_.release()) != ERROR_SUCCESS) throw std::runtime_error("close key");
}

bool RegKey::hasValue(const std::wstring& name) const {
    if (layer_ != nullptr) return lookUp(name).has_value();
    DWORD type = 0;
    return RegQueryValueExW(handle_.get(), valueNameOf(name), nullptr, &type, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

DWORD RegKey::querySize(const std::wstring& name, const DWORD* types, size_t typeCount) const {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(handle_.get(), valueNameOf(name), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        throw RegKeyException(L"query value: " + name);
    }
    bool accepted = typeCount == 0;
    for (size_t i = 0; i < typeCount; ++i) accepted = accepted || types[i] == type;
    if (!accepted) throw RegKeyException(L"type missmatch: " + decimal(type));
    return size;
}

// The value may have changed since its size was asked: a larger one fails
// here instead of being cut, a smaller one shrinks size.
void RegKey::queryInto(const std::wstring& name, void* buffer, DWORD& size) const {
    if (size == 0) return;
    if (RegQueryValueExW(handle_.get(), valueNameOf(name), nullptr, nullptr,
                         static_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        throw RegKeyException(L"query value: " + name);
    }
}

// One query where the size would be asked first: every item reads its value
// at start, and each query is a round trip to the registry's keeper. Larger
// data comes back as ERROR_MORE_DATA with its type and size all the same.
DWORD RegKey::getDWORD(const std::wstring& name) const {
    if (layer_ != nullptr) {
        const RawValue raw = layeredValue(name, dwordTypes, std::size(dwordTypes));
        if (raw.data.size() != sizeof(DWORD))
            throw RegKeyException(L"size missmatch: " +
                                  decimal(static_cast<DWORD>(raw.data.size())));
        DWORD value = 0;
        for (size_t i = 0; i < sizeof value; ++i)
            value |= static_cast<DWORD>(raw.data[i]) << (8 * i);
        return value;
    }
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG result = RegQueryValueExW(handle_.get(), valueNameOf(name), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&value), &size);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) {
        throw RegKeyException(L"query value: " + name);
    }
    if (type != REG_DWORD) throw RegKeyException(L"type missmatch: " + decimal(type));
    if (size != sizeof(DWORD)) throw RegKeyException(L"size missmatch: " + decimal(size));
    return value;
}

DWORD RegKey::getDWORD(const std::wstring& name, DWORD defaultValue) const {
    try {
        return getDWORD(name);
    } catch (const RegKeyException&) {
        return defaultValue;
    }
}

std::vector<uint8_t> RegKey::getBytes(const std::wstring& name) const {
    if (layer_ != nullptr) return layeredValue(name, binaryTypes, std::size(binaryTypes)).data;
    DWORD size = querySize(name, binaryTypes, std::size(binaryTypes));
    std::vector<uint8_t> data(size);
    queryInto(name, data.data(), size);
    data.resize(size);
    return data;
}

std::wstring RegKey::getString(const std::wstring& name) const {
    std::wstring text;
    if (layer_ != nullptr) {
        const RawValue raw = layeredValue(name, stringTypes, std::size(stringTypes));
        text.resize(raw.data.size() / 2);
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(raw.data[2 * i] | raw.data[2 * i + 1] << 8);
    } else {
        DWORD size = querySize(name, stringTypes, std::size(stringTypes));
        // The buffer takes an odd last byte too, so that such data is read
        // rather than refused as too large; the result keeps whole code units.
        text.resize((size + 1) / 2);
        queryInto(name, text.data(), size);
        text.resize(size / 2);
    }
    // Data stored without its terminator keeps its last unit: cutting it would
    // hand a shortened text to items that write it back.
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

std::wstring RegKey::getString(const std::wstring& name, const std::wstring& defaultValue) const {
    try {
        return getString(name);
    } catch (const RegKeyException&) {
        return defaultValue;
    }
}

RegKey::RawValue RegKey::getRawValue(const std::wstring& name) const {
    if (layer_ != nullptr) return layeredValue(name, nullptr, 0);
    return queryRaw(valueNameOf(name), name);
}

std::optional<RegKey::RawValue> RegKey::findRawValue(const std::wstring& name) const {
    if (layer_ != nullptr) return lookUp(name);
    const LONG result =
        RegQueryValueExW(handle_.get(), valueNameOf(name), nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_FILE_NOT_FOUND) return std::nullopt;
    return getRawValue(name);
}

RegKey::RawValue RegKey::getEnumeratedValue(const std::wstring& name) const {
    if (holdsNul(name)) throw IllegalArgumentException(L"value name holds NUL: " + name);
    if (layer_ != nullptr) return layeredValue(name.empty() ? NULL_STRING : name, nullptr, 0);
    return queryRaw(name.empty() ? nullptr : name.c_str(), name);
}

bool RegKey::isLink() const {
    DWORD type = 0;
    return RegQueryValueExW(handle_.get(), L"SymbolicLinkValue", nullptr, &type, nullptr,
                            nullptr) == ERROR_SUCCESS &&
           type == REG_LINK;
}

RegKey::RawValue RegKey::queryRaw(const wchar_t* valueName, const std::wstring& name) const {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(handle_.get(), valueName, nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        throw RegKeyException(L"query value: " + name);
    }
    RawValue value{type, std::vector<uint8_t>(size)};
    if (size != 0 && RegQueryValueExW(handle_.get(), valueName, nullptr, &value.type,
                                      value.data.data(), &size) != ERROR_SUCCESS) {
        throw RegKeyException(L"query value: " + name);
    }
    value.data.resize(size);
    return value;
}

std::optional<RegKey::RawValue> RegKey::lookUp(const std::wstring& name) const {
    const wchar_t* const registryName = valueNameOf(name);
    RegistryLayer::Value value;
    switch (layer_->valueState(path_, name, value)) {
        case RegistryLayer::State::PRESENT:
            return RawValue{value.type, std::move(value.data)};
        case RegistryLayer::State::ABSENT:
            return std::nullopt;
        case RegistryLayer::State::REGISTRY:
            break;
    }
    if (handle_.get() == nullptr || RegQueryValueExW(handle_.get(), registryName, nullptr, nullptr,
                                                     nullptr, nullptr) == ERROR_FILE_NOT_FOUND) {
        return std::nullopt;
    }
    return queryRaw(registryName, name);
}

RegKey::RawValue RegKey::layeredValue(const std::wstring& name, const DWORD* types,
                                      size_t typeCount) const {
    std::optional<RawValue> value = lookUp(name);
    if (!value) throw RegKeyException(L"query value: " + name);
    bool accepted = typeCount == 0;
    for (size_t i = 0; i < typeCount; ++i) accepted = accepted || types[i] == value->type;
    if (!accepted) throw RegKeyException(L"type missmatch: " + decimal(value->type));
    return std::move(*value);
}

std::vector<std::wstring> RegKey::getSubKeyNames() const {
    if (layer_ == nullptr) return registrySubKeyNames();
    return layer_->subKeyNames(
        path_, handle_.get() == nullptr ? std::vector<std::wstring>() : registrySubKeyNames());
}

std::map<std::wstring, DWORD> RegKey::getValueTypes() const {
    if (layer_ == nullptr) return registryValueTypes();
    std::map<std::wstring, uint32_t> registry;
    if (handle_.get() != nullptr)
        for (const auto& [name, type] : registryValueTypes()) registry[name] = type;
    std::map<std::wstring, DWORD> types;
    for (const auto& [name, type] : layer_->valueTypes(path_, registry)) types[name] = type;
    return types;
}

std::vector<std::wstring> RegKey::registrySubKeyNames() const {
    DWORD count = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(handle_.get(), nullptr, nullptr, nullptr, &count, &longest, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        throw RegKeyException(L"query info key");
    }
    std::vector<wchar_t> buffer(longest + 1);
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = longest + 1;
        if (RegEnumKeyExW(handle_.get(), i, buffer.data(), &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            throw RegKeyException(L"enumerate subkey");
        }
        names.emplace_back(buffer.data(), length);
    }
    return names;
}

std::map<std::wstring, DWORD> RegKey::registryValueTypes() const {
    DWORD count = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(handle_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &count, &longest, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        throw RegKeyException(L"query info key");
    }
    std::vector<wchar_t> buffer(longest + 1);
    std::map<std::wstring, DWORD> types;
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = longest + 1;
        DWORD type = 0;
        if (RegEnumValueW(handle_.get(), i, buffer.data(), &length, nullptr, &type, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            throw RegKeyException(L"enumerate subkey");
        }
        types[std::wstring(buffer.data(), length)] = type;
    }
    return types;
}

void RegKey::setDWORD(const std::wstring& name, DWORD value) {
    if (RegSetValueExW(handle_.get(), valueNameOf(name), 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&value), sizeof value) != ERROR_SUCCESS) {
        throw RegKeyException(L"set value: " + name);
    }
}

void RegKey::setBytes(const std::wstring& name, const void* data, DWORD size) {
    if (RegSetValueExW(handle_.get(), valueNameOf(name), 0, REG_BINARY,
                       static_cast<const BYTE*>(data), size) != ERROR_SUCCESS) {
        throw RegKeyException(L"set value: " + name);
    }
}

void RegKey::setString(const std::wstring& name, DWORD type, const std::wstring& text) {
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) {
        throw IllegalArgumentException(L"type: " + decimal(type));
    }
    const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(handle_.get(), valueNameOf(name), 0, type,
                       reinterpret_cast<const BYTE*>(text.c_str()), size) != ERROR_SUCCESS) {
        throw RegKeyException(L"set value: " + name);
    }
}

void RegKey::deleteValue(const std::wstring& name) {
    if (RegDeleteValueW(handle_.get(), valueNameOf(name)) != ERROR_SUCCESS) {
        throw RegKeyException(L"delete value: " + name);
    }
}

void RegKey::deleteSubKey(const std::wstring& name) { deleteKeyItself(handle_.get(), name, name); }

// The key is opened as itself, never as the key a link of that name points
// to, and deleted through that handle: a link put in its place after the
// test would only make the deletion fail.
void RegKey::deleteKeyItself(HKEY parent, const std::wstring& name, const std::wstring& shown) {
    // The empty name would make the registry delete the parent itself.
    if (name == NULL_STRING || name.empty()) throw IllegalArgumentException(L"keyName");
    if (holdsNul(name)) throw IllegalArgumentException(L"key path holds NUL: " + name);
    std::unique_ptr<RegKey> key;
    try {
        key =
            std::make_unique<RegKey>(parent, name, KEY_QUERY_VALUE | DELETE, REG_OPTION_OPEN_LINK);
    } catch (const RegKeyException&) {
        throw RegKeyException(L"delete sub key: " + name);
    }
    if (key->isLink()) throw RegKeyException(L"registry link can't be deleted: " + shown);
    if (RegDeleteKeyW(key->getHandle(), L"") != ERROR_SUCCESS) {
        throw RegKeyException(L"delete sub key: " + name);
    }
}

void RegKey::deleteValueIfKeyExists(const std::wstring& path, const std::wstring& name) {
    try {
        RegKey probe(path, READ);
    } catch (const RegKeyException&) {
        return;
    }
    RegKey(path, CHANGE).deleteValue(name);
}

void RegKey::deleteKeyIfParentExists(const std::wstring& path) {
    const size_t separator = path.rfind(L'\\');
    if (separator == std::wstring::npos) throw IllegalArgumentException(L"no separator: " + path);
    const std::wstring name = path.substr(separator + 1);
    if (name.empty()) throw IllegalArgumentException(path);
    const std::wstring parent = path.substr(0, separator);
    std::unique_ptr<RegKey> parentKey;
    try {
        parentKey = std::make_unique<RegKey>(parent, READ);
    } catch (const RegKeyException&) {
        return;
    }
    deleteKeyItself(parentKey->getHandle(), name, path);
}
