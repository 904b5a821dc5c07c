#include "xml/Text.h"

#include "core/Constants.h"
#include "core/Exception.h"

namespace xml {

namespace {

Node* const noChildren[1] = {nullptr};
const AttributeMap noAttributes;

}  // namespace

void Text::addChild(Node* child) {
    // The caller handed over ownership; refusing must not leak the child.
    delete child;
    throw XMLException(L"can't add child to text node");
}

Node* const* Text::childrenBegin() const { return noChildren; }

Node* const* Text::childrenEnd() const { return noChildren; }

void Text::setAttribute(const std::wstring&, const std::wstring&) {
    throw XMLException(L"can't set attribute to text node");
}

const std::wstring& Text::getAttribute(const std::wstring&) const { return NULL_STRING; }

const AttributeMap& Text::getAttributes() const { return noAttributes; }

}  // namespace xml
