#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../registry/ScratchKey.h"
#include "core/Exception.h"
#include "items/AbstractRegBitValueItem.h"
#include "items/RegCheckItem.h"
#include "items/RegMultiListValueItem.h"
#include "items/RegMultiStringCheckItem.h"
#include "items/RegMultiValueItem.h"
#include "items/RegToggleItem.h"
#include "items/RegValueItem.h"
#include "items/SaveTarget.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"
#include "xml/Element.h"
#include "xml/Text.h"

// One parameter of an item definition: <name a="..">text<child/>..</name>.
struct Param {
    std::wstring name;
    std::wstring text;
    xml::AttributeMap attributes = {};
    std::vector<Param> children = {};

    xml::Element* element() const {
        auto* node = new xml::Element(name);
        for (const auto& [key, value] : attributes) node->setAttribute(key, value);
        if (!text.empty()) node->addChild(new xml::Text(text));
        for (const Param& child : children) node->addChild(child.element());
        return node;
    }
};

using Bytes = std::vector<uint8_t>;
inline const std::wstring Z(1, L'\0');

inline Bytes bytes(const std::string& data) { return Bytes(data.begin(), data.end()); }
// Registry data: a text with its terminator, a number as a DWORD.
inline std::string raw(const std::wstring& text) { return bytesOf(text + Z); }
inline std::string raw(uint32_t number) { return {reinterpret_cast<const char*>(&number), 4}; }

inline std::vector<Param> check(const std::wstring& type, const std::wstring& on,
                                const std::wstring& off, const std::wstring& byDefault,
                                xml::AttributeMap attributes = {}) {
    return {{L"value", L"v"},
            {L"type", type},
            {L"true", on},
            {L"false", off},
            {L"default", byDefault, attributes}};
}

inline std::vector<Param> number(const std::wstring& type, const std::wstring& byDefault,
                                 xml::AttributeMap attributes = {}) {
    return {{L"value", L"v"}, {L"type", type}, {L"default", byDefault, attributes}};
}

// The first choice comes in a select of its own, the others in a second one.
inline std::vector<Param> toggle(const std::wstring& type, const std::wstring& byDefault,
                                 const std::vector<std::wstring>& values,
                                 xml::AttributeMap attributes = {}) {
    Param first{L"select", L""}, rest{L"select", L""};
    for (const std::wstring& value : values)
        (&value == &values[0] ? first : rest)
            .children.push_back({L"item", L"n" + value, {{L"value", value}}});
    return {{L"value", L"v"}, {L"type", type}, first, rest, {L"default", byDefault, attributes}};
}

// What a check, number or toggle item holds as stored and as current, as
// numbers, and setting what it holds.
inline std::pair<int32_t, int32_t> statesOf(Item& item) {
    if (auto* c = dynamic_cast<CheckItem*>(&item))
        return {c->getStoredState(), c->getCurrentState()};
    if (auto* v = dynamic_cast<ValueItem*>(&item))
        return {v->getStoredValue(), v->getCurrentValue()};
    auto& t = dynamic_cast<ToggleItem&>(item);
    return {t.getStoredIndex(), t.getCurrentIndex()};
}
inline void setCurrent(Item& item, int32_t state) {
    if (auto* c = dynamic_cast<CheckItem*>(&item)) return c->setCurrentState(state != 0);
    if (auto* v = dynamic_cast<ValueItem*>(&item)) return v->setCurrentValue(state);
    dynamic_cast<ToggleItem&>(item).setCurrentIndex(state);
}

// No registered class holds bits; the tests reach them through their base.
struct Bits : AbstractRegBitValueItem {
    awt::Component* createView() override { return nullptr; }
};

// Items configured over a scratch key of the test's own.
class ItemTest : public testing::Test {
protected:
    // An item of class T with the id "sample", configured as the loader
    // would, with the key parameter first unless the parameters name one.
    template <typename T>
    std::unique_ptr<T> configured(std::vector<Param> params, const std::wstring& below = L"") {
        if (params.empty() || params[0].name != L"key")
            params.insert(params.begin(), {L"key", keyPath(below)});
        xml::Element element(L"params");
        for (const Param& param : params) element.addChild(param.element());
        auto item = std::make_unique<T>();
        item->setId(L"sample");
        item->configure(element);
        return item;
    }

    // A check ('c'), number ('n'), toggle ('t'), bits ('b'), list string
    // ('s'), list entry ('e') or list element ('l') item.
    std::unique_ptr<Item> configuredAs(char kind, const std::vector<Param>& params,
                                       const std::wstring& below = L"") {
        if (kind == 'c') return configured<RegCheckItem>(params, below);
        if (kind == 'n') return configured<RegValueItem>(params, below);
        if (kind == 'b') return configured<Bits>(params, below);
        if (kind == 's') return configured<RegMultiStringCheckItem>(params, below);
        if (kind == 'e') return configured<RegMultiValueItem>(params, below);
        if (kind == 'l') return configured<RegMultiListValueItem>(params, below);
        return configured<RegToggleItem>(params, below);
    }

    std::wstring keyPath(const std::wstring& below = L"") const {
        return below.empty() ? scratch_.path() : scratch_.path() + L"\\" + below;
    }

    RegKey::RawValue stored(const std::wstring& name, const std::wstring& below = L"") const {
        try {
            return RegKey(keyPath(below), RegKey::READ).getRawValue(name);
        } catch (const RegKeyException&) {
            return {REG_NONE, {'-'}};
        }
    }

    // What a save would write for the value v of the key below.
    std::wstring storedText(SaveTarget& target, const std::wstring& below = L"") const {
        return target.getStorage().getKey(keyPath(below)).getValueString(L"v");
    }

    ScratchKey scratch_;
};
