#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../registry/ScratchKey.h"
#include "core/Constants.h"
#include "core/Exception.h"
#include "registry/RegKey.h"
#include "xml/Element.h"
#include "xml/Text.h"

// One parameter of an item definition: <name a="..">text</name>.
struct Param {
    std::wstring name;
    std::wstring text;
    xml::AttributeMap attributes = {};
};

// A params element as the loader hands it to configure.
inline std::unique_ptr<xml::Element> paramsOf(const std::vector<Param>& params) {
    auto element = std::make_unique<xml::Element>(L"params");
    for (const Param& param : params) {
        auto* child = new xml::Element(param.name);
        for (const auto& [name, value] : param.attributes) child->setAttribute(name, value);
        if (!param.text.empty()) child->addChild(new xml::Text(param.text));
        element->addChild(child);
    }
    return element;
}

// Items configured over a scratch key of the test's own.
class ItemTest : public testing::Test {
protected:
    // An item of class T configured with the key parameter pointing at the
    // scratch key (or the sub-key given) and the parameters given.
    template <typename T>
    std::unique_ptr<T> configured(std::vector<Param> params, const std::wstring& subKey = L"") {
        auto item = std::make_unique<T>();
        params.insert(params.begin(), Param{L"key", keyPath(subKey)});
        item->configure(*paramsOf(params));
        return item;
    }

    std::wstring keyPath(const std::wstring& subKey = L"") const {
        return subKey.empty() ? scratch_.path() : scratch_.path() + L"\\" + subKey;
    }

    void setValue(const std::wstring& name, DWORD type, const std::string& data) {
        ASSERT_EQ(setRawValue(HKEY_CURRENT_USER, scratch_.subKey(), &name, type, data),
                  ERROR_SUCCESS);
    }
    void setDWORD(const std::wstring& name, uint32_t value) {
        setValue(name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4));
    }
    void setSZ(const std::wstring& name, const std::wstring& text) {
        setValue(name, REG_SZ,
                 std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2));
    }

    bool hasValue(const std::wstring& name, const std::wstring& subKey = L"") const {
        try {
            return RegKey(keyPath(subKey), RegKey::READ).hasValue(name);
        } catch (const RegKeyException&) {
            return false;
        }
    }

    ScratchKey scratch_;
};
