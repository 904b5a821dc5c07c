#include "xml/VersionDependedDocumentBuilder.h"

#include <memory>

#include "core/Constants.h"
#include "core/Exception.h"
#include "core/StringUtil.h"
#include "xml/Text.h"

namespace xml {

namespace {

// Operands are at most a 32-bit integer times 256, so they are compared in 64
// bits, where such a product cannot overflow.
using Operand = int64_t;

Operand productTypeOperand(const std::wstring& operand) {
    if (equalsIgnoreCase(operand, L"Personal")) return SystemVersion::PERSONAL;
    if (equalsIgnoreCase(operand, L"Workstation")) return SystemVersion::WORKSTATION;
    if (equalsIgnoreCase(operand, L"Server")) return SystemVersion::SERVER;
    throw ConfigException(L"unknown productType: " + operand);
}

// "5" and "5.0" both mean 0x0500.
Operand versionOperand(const std::wstring& operand) {
    const size_t dot = operand.find(L'.');
    try {
        const Operand major = parseInt(operand.substr(0, dot));
        const Operand minor = dot == std::wstring::npos ? 0 : parseInt(operand.substr(dot + 1));
        return major * 256 + minor;
    } catch (const NumberFormatException&) {
        throw ConfigException(L"invalid productVersion: " + operand);
    }
}

Operand servicePackOperand(const std::wstring& operand) {
    try {
        return Operand{parseInt(operand)} * 256;
    } catch (const NumberFormatException&) {
        throw ConfigException(L"invalid productSPVersion: " + operand);
    }
}

Operand buildOperand(const std::wstring& operand) {
    try {
        return parseInt(operand);
    } catch (const NumberFormatException&) {
        throw ConfigException(L"invalid productBuild: " + operand);
    }
}

// A condition is an optional operator ("==", "<" or ">="), one space and the
// operand; without a space the whole value is the operand of "==".
bool holds(const std::wstring& condition, Operand systemValue,
           Operand (*operandOf)(const std::wstring&)) {
    const size_t space = condition.find(L' ');
    if (space == std::wstring::npos) return systemValue == operandOf(condition);
    const std::wstring op = condition.substr(0, space);
    if (op != L"==" && op != L"<" && op != L">=") {
        throw ConfigException(L"invalid expression: " + condition);
    }
    const Operand operand = operandOf(condition.substr(space + 1));
    if (op == L"<") return systemValue < operand;
    if (op == L">=") return systemValue >= operand;
    return systemValue == operand;
}

}  // namespace

VersionDependedDocumentBuilder::VersionDependedDocumentBuilder(Document* root,
                                                               const SystemVersion& system)
    : productType_(system.productType),
      productVersion_(system.productVersion),
      servicePackVersion_(system.servicePackVersion),
      build_(system.build),
      root_(root),
      current_(root) {}

// The attributes are tested in a fixed order and the first that fails ends
// the test, so a later attribute is not even parsed.
bool VersionDependedDocumentBuilder::conditionsHold(const Element& element) const {
    const std::wstring& type = element.getAttribute(L"productType");
    if (type != NULL_STRING && !holds(type, productType_, productTypeOperand)) return false;
    const std::wstring& version = element.getAttribute(L"productVersion");
    if (version != NULL_STRING && !holds(version, productVersion_, versionOperand)) return false;
    const std::wstring& servicePack = element.getAttribute(L"productSPVersion");
    if (servicePack != NULL_STRING && !holds(servicePack, servicePackVersion_, servicePackOperand))
        return false;
    const std::wstring& build = element.getAttribute(L"productBuild");
    return build == NULL_STRING || holds(build, build_, buildOperand);
}

void VersionDependedDocumentBuilder::startElement(const std::wstring& name,
                                                  const AttributeMap& attributes) {
    if (skipping_) {
        skipStack_.push_back(name);
        return;
    }
    auto element = std::make_unique<Element>(name);
    for (const auto& [attribute, value] : attributes) element->setAttribute(attribute, value);
    if (!conditionsHold(*element)) {
        skipping_ = true;
        skipStack_.push_back(name);
        return;
    }
    Element* added = element.release();
    current_->addChild(added);
    current_ = added;
}

void VersionDependedDocumentBuilder::endElement(const std::wstring& name) {
    if (skipping_) {
        if (name != skipStack_.back()) {
            throw Exception(L"end name missmatch: " + skipStack_.back() + L" and /" + name);
        }
        skipStack_.pop_back();
        skipping_ = !skipStack_.empty();
        return;
    }
    // The document itself is never closed by a tag, not even one named
    // "#document": its parent is no node to build into.
    if (current_ == root_ || name != current_->getName()) {
        throw Exception(L"end name missmatch: " + current_->getName() + L" and /" + name);
    }
    current_ = current_->getParent();
}

void VersionDependedDocumentBuilder::characters(const std::wstring& text) {
    if (!skipping_) current_->addChild(new Text(text));
}

// An element left out is still open until its end tag, so the input must not
// end inside one either.
void VersionDependedDocumentBuilder::endDocument() {
    if (current_ != root_ || skipping_) throw Exception(L"no document end");
}

}  // namespace xml
