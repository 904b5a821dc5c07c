#include "xml/VersionDependedDocumentBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "core/Exception.h"
#include "xml/Text.h"

namespace {

using xml::SystemVersion;

const SystemVersion windows2000{SystemVersion::WORKSTATION, 0x0500, 0x0400};
const SystemVersion xpSp1a{SystemVersion::PERSONAL, 0x0501, 0x0101};
const SystemVersion server2003Sp2{SystemVersion::SERVER, 0x0502, 0x0200};

// The tree below a node in one line: elements as name(children), texts quoted.
std::wstring render(const xml::Node& node) {
    std::wstring out;
    for (auto child = node.childrenBegin(); child != node.childrenEnd(); ++child) {
        if (!out.empty()) out += L",";
        if ((*child)->getType() == xml::TEXT_NODE) {
            out += L"'" + (*child)->getText() + L"'";
        } else {
            out += (*child)->getName();
            if ((*child)->getChildCount() != 0) out += L"(" + render(**child) + L")";
        }
    }
    return out;
}

// Parser events written as "|"-separated tokens: "<name a=1;b=2" starts an
// element, "/name" ends one, "'text" is character data.
void feed(xml::ParserCallback& builder, const std::wstring& events) {
    std::wistringstream tokens(events);
    for (std::wstring token; std::getline(tokens, token, L'|');) {
        const std::wstring body = token.substr(1);
        if (token[0] == L'/') {
            builder.endElement(body);
        } else if (token[0] == L'\'') {
            builder.characters(body);
        } else {
            const size_t space = body.find(L' ');
            xml::AttributeMap attributes;
            std::wistringstream pairs(space == std::wstring::npos ? L"" : body.substr(space + 1));
            for (std::wstring pair; std::getline(pairs, pair, L';');) {
                attributes[pair.substr(0, pair.find(L'='))] = pair.substr(pair.find(L'=') + 1);
            }
            builder.startElement(body.substr(0, space), attributes);
        }
    }
}

// Builds a document from events and renders it, or gives the message of the
// exception that building raised.
std::wstring build(const SystemVersion& system, const std::wstring& events) {
    xml::Document document;
    xml::VersionDependedDocumentBuilder builder(&document, system);
    try {
        feed(builder, events);
        builder.endDocument();
    } catch (const Exception& e) {
        return L"error: " + e.getMessage();
    }
    return render(document);
}

// One element with the given attributes: "kept", "left out" or the error.
std::wstring condition(const SystemVersion& system, const std::wstring& attributes) {
    const std::wstring result = build(system, L"<e " + attributes + L"|/e");
    return result == L"e" ? L"kept" : result.empty() ? L"left out" : result;
}

TEST(VersionDependedDocumentBuilder, EvaluatesConditions) {
    const struct {
        const SystemVersion& system;
        const wchar_t* attribute;
        const wchar_t* value;
        const wchar_t* expected;
    } cases[] = {
        {windows2000, L"productVersion", L"5.0", L"kept"},
        {xpSp1a, L"productVersion", L"5.0", L"left out"},
        {windows2000, L"productVersion", L"== 5.0", L"kept"},
        {xpSp1a, L"productVersion", L"== 5.0", L"left out"},
        {windows2000, L"productVersion", L"5", L"kept"},
        {xpSp1a, L"productVersion", L">= 5.1", L"kept"},
        {windows2000, L"productVersion", L">= 5.1", L"left out"},
        {windows2000, L"productVersion", L"< 5.1", L"kept"},
        {xpSp1a, L"productVersion", L"< 5.1", L"left out"},
        {xpSp1a, L"productVersion", L"< 99999999", L"kept"},
        {xpSp1a, L"productVersion", L"-1.0", L"left out"},
        {server2003Sp2, L"productType", L"server", L"kept"},
        {server2003Sp2, L"productType", L"Workstation", L"left out"},
        {xpSp1a, L"productType", L"PERSONAL", L"kept"},
        {windows2000, L"productType", L"== Workstation", L"kept"},
        {xpSp1a, L"productSPVersion", L"< 2", L"kept"},
        {server2003Sp2, L"productSPVersion", L"< 2", L"left out"},
        {server2003Sp2, L"productSPVersion", L">= 2", L"kept"},
        {xpSp1a, L"productSPVersion", L"1", L"left out"},
        {server2003Sp2, L"productType", L"Server ", L"error: invalid expression: Server "},
        {xpSp1a, L"productVersion", L"=> 5.0", L"error: invalid expression: => 5.0"},
        {xpSp1a, L"productVersion", L"> 5.0", L"error: invalid expression: > 5.0"},
        {xpSp1a, L"productVersion", L">=5.0", L"error: invalid productVersion: >=5.0"},
        {xpSp1a, L"productVersion", L">= 5. 1", L"error: invalid productVersion: 5. 1"},
        {xpSp1a, L"productVersion", L"5.1.2", L"error: invalid productVersion: 5.1.2"},
        {xpSp1a, L"productVersion", L"5.", L"error: invalid productVersion: 5."},
        {xpSp1a, L"productVersion", L"", L"error: invalid productVersion: "},
        {xpSp1a, L"productType", L"", L"error: unknown productType: "},
        {xpSp1a, L"productType", L"Home", L"error: unknown productType: Home"},
        {xpSp1a, L"productSPVersion", L"1a", L"error: invalid productSPVersion: 1a"},
        {xpSp1a, L"productSPVersion", L"== ", L"error: invalid productSPVersion: "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(condition(c.system, std::wstring(c.attribute) + L"=" + c.value), c.expected)
            << c.attribute << "=\"" << c.value << "\" on " << c.system.productVersion;
    }

    // The first condition that fails ends the test before the next is read.
    EXPECT_EQ(condition(xpSp1a, L"productType=Server;productVersion=bad"), L"left out");
    EXPECT_EQ(condition(xpSp1a, L"productType=Personal;productVersion=bad"),
              L"error: invalid productVersion: bad");
    EXPECT_EQ(condition(xpSp1a, L"productVersion=5.0;productSPVersion=bad"), L"left out");
    EXPECT_EQ(
        condition(xpSp1a, L"productType=Personal;productVersion=>= 5.1;productSPVersion=>= 1"),
        L"kept");
}

TEST(VersionDependedDocumentBuilder, LeavesOutWholeSubtreesAndKeepsTheRest) {
    xml::Document document;
    xml::VersionDependedDocumentBuilder builder(&document, xpSp1a);
    feed(builder,
         L"<root productVersion=>= 5.1;id=r|'a|<g "
         L"productType=Server|<g|'hidden|<g|/g|/g|<item|/item|"
         L"/g|<g|'b|/g|/root|<second|/second");
    builder.endDocument();
    EXPECT_EQ(render(document), L"root('a',g('b')),second");
    // Condition attributes stay on the elements that were kept.
    const xml::Node* root = *document.childrenBegin();
    EXPECT_EQ(root->getAttribute(L"productVersion"), L">= 5.1");
    EXPECT_EQ(root->getAttribute(L"id"), L"r");
    EXPECT_EQ(root->getParent(), &document);
}

TEST(VersionDependedDocumentBuilder, RefusesUnbalancedDocuments) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"<root productVersion=4.0|/root", L""},
        {L"'top|<a|/a", L"'top',a"},
        {L"/x", L"error: end name missmatch: #document and /x"},
        {L"/#document", L"error: end name missmatch: #document and /#document"},
        {L"<a|/b", L"error: end name missmatch: a and /b"},
        {L"<a productType=Server|<b|/c", L"error: end name missmatch: b and /c"},
        {L"<a", L"error: no document end"},
        {L"<a productType=Server", L"error: no document end"},
    };
    for (const auto& [events, expected] : cases) EXPECT_EQ(build(xpSp1a, events), expected);
}

TEST(SystemVersion, PlacesProductTypesAndServicePacks) {
    EXPECT_EQ(SystemVersion::productTypeOf(0x0200, 1), SystemVersion::PERSONAL);
    EXPECT_EQ(SystemVersion::productTypeOf(0x0100, 1), SystemVersion::WORKSTATION);
    EXPECT_EQ(SystemVersion::productTypeOf(0x0000, 3), SystemVersion::SERVER);
    EXPECT_EQ(SystemVersion::productTypeOf(L"winnt"), SystemVersion::WORKSTATION);
    EXPECT_EQ(SystemVersion::productTypeOf(L"LanManNT"), SystemVersion::SERVER);
    EXPECT_EQ(SystemVersion::productTypeOf(L"SERVERNT"), SystemVersion::SERVER);

    EXPECT_EQ(SystemVersion::servicePackOf(L""), 0);
    EXPECT_EQ(SystemVersion::servicePackOf(L"Service Pack 3"), 0x0300);
    EXPECT_EQ(SystemVersion::servicePackOf(L"service pack 6a"), 0x0601);
    EXPECT_EQ(SystemVersion::servicePackOf(L"Service Pack 6a beta"), 0x0600);

    const std::pair<std::function<void()>, std::wstring> failures[] = {
        {[] { SystemVersion::productTypeOf(0, 2); }, L"unknown OS product type: 2"},
        {[] { SystemVersion::productTypeOf(0, 0); }, L"unknown OS product type: 0"},
        {[] { SystemVersion::productTypeOf(L"Terminal"); }, L"unknown OS product type: Terminal"},
        {[] { SystemVersion::servicePackOf(L"Service Pack "); },
         L"unknown OS service pack version: Service Pack "},
        {[] { SystemVersion::servicePackOf(L"SP2"); }, L"unknown OS service pack version: SP2"},
    };
    for (const auto& [detect, message] : failures) {
        try {
            detect();
            ADD_FAILURE() << "no exception for " << message;
        } catch (const Exception& e) {
            EXPECT_EQ(e.getMessage(), message);
        }
    }
}

}  // namespace
