// Feeds arbitrary UTF-16 code units to the parser and the program's own
// document builder, reads the document back and frees it. The parser's
// errors, the builder's refusal of unbalanced tags and of bad conditions are
// expected; anything else escapes and is reported.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <vector>

#include <sstream>

#include "core/Exception.h"
#include "xml/Document.h"
#include "xml/Parser.h"
#include "xml/VersionDependedDocumentBuilder.h"

namespace {

const xml::SystemVersion windows7{xml::SystemVersion::WORKSTATION, 0x0601, 0x0100};

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
        std::wistringstream in(text);
        xml::VersionDependedDocumentBuilder builder(document.get(), windows7);
        xml::Parser(&builder).parse(in);
    } catch (const xml::XMLException&) {
    } catch (const ConfigException&) {
    } catch (const Exception& e) {
        if (typeid(e) != typeid(Exception)) throw;
    }
    volatile size_t seen = readBack(*document);
    (void)seen;
    return 0;
}
