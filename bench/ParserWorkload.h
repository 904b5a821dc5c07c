#pragma once

#include <cstddef>
#include <string>

#include "xml/ParserCallback.h"

// A definition text of at least targetUnits UTF-16 code units: categories of
// items with parameters, help text with line breaks and references, and
// comments, as the shipped definitions have them.
std::wstring generateDefinitions(size_t targetUnits);

// Counts what the parser reports, so that no work can be left out.
class Counter : public xml::ParserCallback {
public:
    void startElement(const std::wstring&, const xml::AttributeMap& attributes) override {
        count += 1 + attributes.size();
    }
    void endElement(const std::wstring&) override { ++count; }
    void characters(const std::wstring& text) override { count += text.size(); }
    void endDocument() override {}
    size_t count = 0;
};

// The two sides of the parser's figure on the same text: parsing it, and a
// loop that only reads the same stream unit by unit, the reading the parser
// cannot avoid. Each returns the seconds taken and leaves a count in sink.
double secondsToParse(const std::wstring& text, size_t& sink);
double secondsToRead(const std::wstring& text, size_t& sink);
