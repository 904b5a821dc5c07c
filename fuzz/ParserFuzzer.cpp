// Feeds arbitrary UTF-16 code units to the parser, builds the document, reads
// it back and frees it. The parser's own errors and the builder's refusal of
// unbalanced tags are expected; anything else escapes and is reported.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <vector>

#include "TreeBuilder.h"
#include "core/Exception.h"
#include "xml/Document.h"

namespace {

size_t readBack(const xml::Document& document) {
    size_t seen = document.getText().size();
    std::vector<const xml::Node*> pending{&document};
    while (!pending.empty()) {
        const xml::Node* node = pending.back();
        pending.pop_back();
        for (const auto& [name, value] : node->getAttributes()) {
            seen += name.size() + value.size();
            seen += node->getAttribute(name).size();
        }
        for (auto child = node->childrenBegin(); child != node->childrenEnd(); ++child) {
            pending.push_back(*child);
        }
    }
    return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    text.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
    }
    auto document = std::make_unique<xml::Document>();
    try {
        testing_support::parseInto(*document, text);
    } catch (const xml::XMLException&) {
    } catch (const Exception& e) {
        if (typeid(e) != typeid(Exception)) throw;
    }
    volatile size_t seen = readBack(*document);
    (void)seen;
    return 0;
}
