#include "items/RegToggleItem.h"

#include <algorithm>

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/ByteText.h"
#include "items/ListText.h"
#include "items/Params.h"
#include "items/PropertyChangeEvent.h"
#include "items/ViewFactory.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

void RegToggleItem::setCurrentIndex(int32_t index) {
    if (index == currentIndex_) return;
    currentIndex_ = index;
    firePropertyChange(PropertyChangeEvent::CURRENT_VALUE);
}

awt::Component* RegToggleItem::createView() {
    return ViewFactory::installed().createToggleItemView(*this);
}

void RegToggleItem::apply() {
    if (!isChanged()) return;
    commit();
    markApplied();
}

void RegToggleItem::readParameters(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name != L"select") return;
        forEachParam(param, [this](const std::wstring& choiceName, const xml::Node& choice) {
            if (choiceName != L"item") return;
            values_.push_back(choice.getAttribute(L"value"));
            names_.push_back(choice.getText());
        });
    });
    AbstractRegItem::readParameters(params);
}

void RegToggleItem::deriveDefault() {
    const auto found = std::find(values_.begin(), values_.end(), getDefaultText());
    if (found == values_.end()) throw ConfigException(L"default no match: " + getDefaultText());
    defaultIndex_ = static_cast<int32_t>(found - values_.begin());
}

void RegToggleItem::load() {
    if (!readFromKey([this](RegKey& key) { storedIndex_ = readIndex(key); }))
        storedIndex_ = defaultIndex_;
    currentIndex_ = storedIndex_;
}

void RegToggleItem::commit() {
    writeToKey([this](RegKey& key) { writeIndex(key); });
    storedIndex_ = currentIndex_;
}

int32_t RegToggleItem::indexOf(const std::wstring& data) const {
    const auto found = std::find(values_.begin(), values_.end(), data);
    return found == values_.end() ? defaultIndex_ : static_cast<int32_t>(found - values_.begin());
}

int32_t RegToggleItem::readIndex(RegKey& key) {
    switch (getType()) {
        case REG_BINARY: {
            const std::vector<uint8_t> bytes = key.getBytes(getValueName());
            return bytes.empty() ? defaultIndex_ : indexOf(bytesToText(bytes));
        }
        case REG_SZ:
        case REG_EXPAND_SZ:
        case REG_MULTI_SZ: {
            // A missing value shows the default; a present empty text is data
            // like any other.
            const std::wstring text = key.getString(getValueName(), NULL_STRING);
            return text == NULL_STRING ? defaultIndex_ : indexOf(settingText(getType(), text));
        }
        case REG_DWORD: {
            const DWORD fallback = static_cast<DWORD>(parseInt(getDefaultText()));
            return indexOf(toString(static_cast<int32_t>(key.getDWORD(getValueName(), fallback))));
        }
        default:
            throw ConfigException(L"RegType");
    }
}

bool RegToggleItem::deletesOnWrite() const {
    return currentIndex_ == defaultIndex_ && isDefaultDeletes();
}

const std::wstring& RegToggleItem::currentData() const {
    if (currentIndex_ < 0 || currentIndex_ >= getChoiceCount())
        throw IllegalArgumentException(L"choice index: " + toString(currentIndex_));
    return values_[currentIndex_];
}

namespace {

// Writes a choice's data to an open key or to a saved file's key alike.
template <typename Target>
void writeData(Target& target, const std::wstring& name, DWORD type, const std::wstring& data) {
    switch (type) {
        case REG_BINARY: {
            const std::vector<uint8_t> bytes = textToBytes(data);
            target.setBytes(name, bytes.data(), static_cast<DWORD>(bytes.size()));
            break;
        }
        case REG_DWORD:
            target.setDWORD(name, static_cast<DWORD>(parseInt(data)));
            break;
        case REG_SZ:
        case REG_EXPAND_SZ:
        case REG_MULTI_SZ:
            target.setString(name, type, registryText(type, data));
            break;
        default:
            throw ConfigException(L"RegType");
    }
}

}  // namespace

void RegToggleItem::writeIndex(RegKey& key) {
    if (deletesOnWrite()) {
        key.deleteValue(getValueName());
    } else {
        writeData(key, getValueName(), getType(), currentData());
    }
}

void RegToggleItem::storeTo(RegistryStorage& storage) {
    RegistryStorage::Key& entry = storage.getKey(getKeyPath());
    if (deletesOnWrite()) {
        entry.deleteValue(getValueName());
    } else {
        writeData(entry, getValueName(), getType(), currentData());
    }
}
