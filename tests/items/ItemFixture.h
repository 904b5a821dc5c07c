#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../registry/ScratchKey.h"
#include "core/Exception.h"
#include "registry/RegKey.h"
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

// Items configured over a scratch key of the test's own.
class ItemTest : public testing::Test {
protected:
    // An item of class T configured as the loader would, with the key
    // parameter first unless the parameters name one.
    template <typename T>
    std::unique_ptr<T> configured(std::vector<Param> params, const std::wstring& below = L"") {
        if (params.empty() || params[0].name != L"key")
            params.insert(params.begin(), {L"key", keyPath(below)});
        xml::Element element(L"params");
        for (const Param& param : params) element.addChild(param.element());
        auto item = std::make_unique<T>();
        item->configure(element);
        return item;
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

    ScratchKey scratch_;
};
