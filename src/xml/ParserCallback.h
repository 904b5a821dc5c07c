#pragma once

#include <string>

#include "xml/Node.h"

namespace xml {

// What the parser reports as it reads a document.
class ParserCallback {
public:
    virtual void startElement(const std::wstring& name, const AttributeMap& attributes) = 0;
    // Also sent right after startElement for an empty-element tag.
    virtual void endElement(const std::wstring& name) = 0;
    // A run of character data, or the content of a CDATA section.
    virtual void characters(const std::wstring& text) = 0;
    virtual void endDocument() = 0;

protected:
    ~ParserCallback() = default;
};

}  // namespace xml
