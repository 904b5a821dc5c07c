#include "xml/Element.h"

#include <utility>

#include "core/Constants.h"

namespace xml {

namespace {

bool holdsChildren(const Node* node) { return node->getType() != TEXT_NODE; }

}  // namespace

Element::Element(const std::wstring& name) : Node(ELEMENT_NODE, name) {}

Element::Element(int32_t type, const std::wstring& name) : Node(type, name) {}

// Definition files are input we do not control: a document nested a million
// levels deep must not cost a million stack frames. Every descendant's
// children are moved onto one work list before the descendant is deleted, so
// each destructor below this one finds nothing left to free.
Element::~Element() {
    std::vector<Node*> pending = std::move(children_);
    while (!pending.empty()) {
        Node* node = pending.back();
        pending.pop_back();
        if (holdsChildren(node)) {
            std::vector<Node*>& children = static_cast<Element*>(node)->children_;
            pending.insert(pending.end(), children.begin(), children.end());
            children.clear();
        }
        delete node;
    }
}

void Element::addChild(Node* child) {
    try {
        children_.push_back(child);
    } catch (...) {
        delete child;
        throw;
    }
    child->parent_ = this;
    textCache_.clear();
}

int Element::getChildCount() const { return static_cast<int>(children_.size()); }

Node* const* Element::childrenBegin() const { return children_.data(); }

Node* const* Element::childrenEnd() const { return children_.data() + children_.size(); }

void Element::setAttribute(const std::wstring& name, const std::wstring& value) {
    attributes_[name] = value;
}

const std::wstring& Element::getAttribute(const std::wstring& name) const {
    const auto found = attributes_.find(name);
    return found == attributes_.end() ? NULL_STRING : found->second;
}

const AttributeMap& Element::getAttributes() const { return attributes_; }

bool Element::hasAttribute(const std::wstring& name) const { return attributes_.count(name) != 0; }

// Walks the subtree with an explicit stack for the same reason the destructor
// does. A descendant whose text is already cached contributes its cache, as
// asking it would.
const std::wstring& Element::getText() const {
    if (!textCache_.empty()) return textCache_;
    struct Position {
        const Element* element;
        size_t next;
    };
    std::wstring text;
    std::vector<Position> stack{{this, 0}};
    while (!stack.empty()) {
        Position& top = stack.back();
        if (top.next == top.element->children_.size()) {
            stack.pop_back();
            continue;
        }
        const Node* child = top.element->children_[top.next++];
        if (!holdsChildren(child)) {
            text += child->getText();
            continue;
        }
        const auto* element = static_cast<const Element*>(child);
        if (element->textCache_.empty()) {
            stack.push_back({element, 0});
        } else {
            text += element->textCache_;
        }
    }
    textCache_ = std::move(text);
    return textCache_;
}

}  // namespace xml
