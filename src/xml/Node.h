#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace xml {

// Attribute names in plain code-unit order, one value per name.
using AttributeMap = std::map<std::wstring, std::wstring>;

enum NodeType : int32_t {
    DOCUMENT_NODE = 1,
    ELEMENT_NODE = 2,
    TEXT_NODE = 3,
};

// A node of a parsed definition document. Readers walk the children, pick
// elements by type and name, and read attributes and text.
class Node {
public:
    virtual ~Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    // Takes ownership of child, also when it refuses it.
    virtual void addChild(Node* child) = 0;
    virtual int getChildCount() const = 0;
    virtual Node* const* childrenBegin() const = 0;
    virtual Node* const* childrenEnd() const = 0;
    virtual void setAttribute(const std::wstring& name, const std::wstring& value) = 0;
    // NULL_STRING when the attribute is absent.
    virtual const std::wstring& getAttribute(const std::wstring& name) const = 0;
    virtual const AttributeMap& getAttributes() const = 0;
    virtual bool hasAttribute(const std::wstring& name) const = 0;
    virtual const std::wstring& getText() const = 0;

    int32_t getType() const { return type_; }
    const std::wstring& getName() const { return name_; }
    Node* getParent() const { return parent_; }

protected:
    Node(int32_t type, const std::wstring& name) : type_(type), name_(name) {}

private:
    friend class Element;

    const int32_t type_;
    const std::wstring name_;
    Node* parent_ = nullptr;
};

}  // namespace xml
