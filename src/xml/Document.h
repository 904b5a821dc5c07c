#pragma once

#include "xml/Element.h"

namespace xml {

// The root of a parsed file; deleting it frees the whole tree.
class Document : public Element {
public:
    Document() : Element(DOCUMENT_NODE, L"#document") {}
};

}  // namespace xml
