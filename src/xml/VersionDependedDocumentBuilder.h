#pragma once

#include <string>
#include <vector>

#include "xml/Document.h"
#include "xml/ParserCallback.h"
#include "xml/SystemVersion.h"

namespace xml {

// Builds the parsed elements and texts into a document, leaving out every
// element whose productType, productVersion, productSPVersion or
// productBuild condition does not hold on the system, together with everything inside it.
class VersionDependedDocumentBuilder final : public ParserCallback {
public:
    // Tests conditions against the running system. Inline, so that only its
    // callers need the Windows-only detection and the rest builds anywhere.
    explicit VersionDependedDocumentBuilder(Document* root)
        : VersionDependedDocumentBuilder(root, SystemVersion::detect()) {}
    // Tests conditions against the given system instead.
    VersionDependedDocumentBuilder(Document* root, const SystemVersion& system);

    void startElement(const std::wstring& name, const AttributeMap& attributes) override;
    void endElement(const std::wstring& name) override;
    void characters(const std::wstring& text) override;
    void endDocument() override;

private:
    bool conditionsHold(const Element& element) const;

    int32_t productType_;
    int32_t productVersion_;
    int32_t servicePackVersion_;
    int32_t build_;
    Document* root_;
    Node* current_;
    bool skipping_ = false;
    // Names of the open elements of the subtree being left out, innermost last.
    std::vector<std::wstring> skipStack_;
};

}  // namespace xml
