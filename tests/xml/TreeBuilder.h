#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "core/Exception.h"
#include "xml/Document.h"
#include "xml/Element.h"
#include "xml/Parser.h"
#include "xml/ParserCallback.h"
#include "xml/Text.h"

namespace testing_support {

// Turns parser events into a document and insists on balanced tags, as the
// program's own document builder does; it keeps no recursion of its own so
// that deeply nested input tests the parser and the model alone.
class TreeBuilder : public xml::ParserCallback {
public:
    explicit TreeBuilder(xml::Document& document) : open_{&document} {}

    void startElement(const std::wstring& name, const xml::AttributeMap& attributes) override {
        auto* element = new xml::Element(name);
        open_.back()->addChild(element);
        for (const auto& [key, value] : attributes) element->setAttribute(key, value);
        open_.push_back(element);
    }
    void endElement(const std::wstring& name) override {
        if (open_.size() == 1 || open_.back()->getName() != name) {
            throw Exception(L"unbalanced end tag: " + name);
        }
        open_.pop_back();
    }
    void characters(const std::wstring& text) override {
        open_.back()->addChild(new xml::Text(text));
    }
    void endDocument() override {
        if (open_.size() != 1) throw Exception(L"unclosed element: " + open_.back()->getName());
    }

private:
    std::vector<xml::Node*> open_;
};

inline void parseInto(xml::Document& document, const std::wstring& text) {
    std::wistringstream in(text);
    TreeBuilder builder(document);
    xml::Parser(&builder).parse(in);
}

}  // namespace testing_support
