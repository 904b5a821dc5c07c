#include "xml/VersionDependedDocumentBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "../core/MessageOf.h"
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

// Each case: system, events, the rendered document or the error.
TEST(VersionDependedDocumentBuilder, KeepsWhatHoldsAndRefusesWhatIsFaulty) {
    const struct {
        const SystemVersion& system;
        const wchar_t* events;
        const wchar_t* expected;
    } cases[] = {
        {windows2000, L"<e productVersion=5|/e", L"e"},
        {xpSp1a, L"<e productVersion=== 5.0|/e", L""},
        {xpSp1a, L"<e productVersion=>= 5.1|/e", L"e"},
        {windows2000, L"<e productVersion=>= 5.1|/e", L""},
        {xpSp1a, L"<e productVersion=< 5.1|/e", L""},
        {xpSp1a, L"<e productVersion=< 99999999|/e", L"e"},
        {server2003Sp2, L"<e productType=server|/e", L"e"},
        {xpSp1a, L"<e productType=Workstation|/e", L""},
        {server2003Sp2, L"<e productSPVersion=< 2|/e", L""},
        {xpSp1a, L"<e productSPVersion=1|/e", L""},
        {xpSp1a, L"<e productVersion=> 5.0|/e", L"error: invalid expression: > 5.0"},
        {xpSp1a, L"<e productVersion=>=5.0|/e", L"error: invalid productVersion: >=5.0"},
        {xpSp1a, L"<e productVersion=5.1.2|/e", L"error: invalid productVersion: 5.1.2"},
        {xpSp1a, L"<e productType=Home|/e", L"error: unknown productType: Home"},
        {xpSp1a, L"<e productSPVersion=1a|/e", L"error: invalid productSPVersion: 1a"},
        // The first condition that fails ends the test before the next is read.
        {xpSp1a, L"<e productType=Server;productVersion=bad|/e", L""},
        {xpSp1a, L"<e productType=Personal;productVersion=bad|/e",
         L"error: invalid productVersion: bad"},
        {xpSp1a, L"<e productVersion=5.0;productSPVersion=bad|/e", L""},
        // Whole subtrees are left out, and the rest kept with its attributes.
        {xpSp1a,
         L"<r productVersion=>= 5.1|'a|<g productType=Server|<g|'x|/g|<i|/i|/g|<g|/g|/r|<s|/s",
         L"r('a',g),s"},
        {xpSp1a, L"/#document", L"error: end name missmatch: #document and /#document"},
        {xpSp1a, L"<a|/b", L"error: end name missmatch: a and /b"},
        {xpSp1a, L"<a productType=Server|<b|/c", L"error: end name missmatch: b and /c"},
        {xpSp1a, L"<a", L"error: no document end"},
        {xpSp1a, L"<a productType=Server", L"error: no document end"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(build(c.system, c.events), c.expected) << c.events;
    }
}

TEST(SystemVersion, PlacesProductTypesAndServicePacks) {
    EXPECT_EQ(SystemVersion::productTypeOf(0x0200, 1), SystemVersion::PERSONAL);
    EXPECT_EQ(SystemVersion::productTypeOf(0x0100, 1), SystemVersion::WORKSTATION);
    EXPECT_EQ(SystemVersion::productTypeOf(0x0000, 3), SystemVersion::SERVER);
    EXPECT_EQ(SystemVersion::productTypeOf(L"winnt"), SystemVersion::WORKSTATION);
    EXPECT_EQ(SystemVersion::productTypeOf(L"SERVERNT"), SystemVersion::SERVER);
    EXPECT_EQ(SystemVersion::productTypeOf(L"LanManNT"), SystemVersion::SERVER);
    EXPECT_EQ(SystemVersion::servicePackOf(L""), 0);
    EXPECT_EQ(SystemVersion::servicePackOf(L"service pack 6a"), 0x0601);
    EXPECT_EQ(SystemVersion::servicePackOf(L"Service Pack 6a beta"), 0x0600);
    const std::pair<std::function<void()>, std::wstring> failures[] = {
        {[] { SystemVersion::productTypeOf(0, 2); }, L"unknown OS product type: 2"},
        {[] { SystemVersion::productTypeOf(L"Terminal"); }, L"unknown OS product type: Terminal"},
        {[] { SystemVersion::servicePackOf(L"SP2"); }, L"unknown OS service pack version: SP2"},
    };
    for (const auto& [detect, message] : failures) EXPECT_EQ(messageOf<Exception>(detect), message);
}

}  // namespace
