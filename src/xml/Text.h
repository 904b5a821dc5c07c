#pragma once

#include "xml/Node.h"

namespace xml {

// Character data; a leaf that refuses children and attributes.
class Text : public Node {
public:
    explicit Text(const std::wstring& text) : Node(TEXT_NODE, L"#text"), text_(text) {}

    void addChild(Node* child) override;
    int getChildCount() const override { return 0; }
    Node* const* childrenBegin() const override;
    Node* const* childrenEnd() const override;
    void setAttribute(const std::wstring& name, const std::wstring& value) override;
    const std::wstring& getAttribute(const std::wstring& name) const override;
    const AttributeMap& getAttributes() const override;
    bool hasAttribute(const std::wstring&) const override { return false; }
    const std::wstring& getText() const override { return text_; }

private:
    const std::wstring text_;
};

}  // namespace xml
