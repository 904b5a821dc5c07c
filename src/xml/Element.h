#pragma once

#include <vector>

#include "xml/Node.h"

namespace xml {

// An element owns its children and keeps its attributes sorted by name.
class Element : public Node {
public:
    explicit Element(const std::wstring& name);
    ~Element() override;

    void addChild(Node* child) override;
    int getChildCount() const override;
    Node* const* childrenBegin() const override;
    Node* const* childrenEnd() const override;
    void setAttribute(const std::wstring& name, const std::wstring& value) override;
    const std::wstring& getAttribute(const std::wstring& name) const override;
    const AttributeMap& getAttributes() const override;
    bool hasAttribute(const std::wstring& name) const override;
    // All text below this element in document order.
    const std::wstring& getText() const override;

protected:
    Element(int32_t type, const std::wstring& name);

private:
    std::vector<Node*> children_;
    AttributeMap attributes_;
    mutable std::wstring textCache_;
};

}  // namespace xml
