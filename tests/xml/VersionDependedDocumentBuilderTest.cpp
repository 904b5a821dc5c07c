#include "xml/VersionDependedDocumentBuilder.h"

#include <gtest/gtest.h>

#include <sstream>

#include "../core/MessageOf.h"
#include "ParserCases.h"
#include "core/Exception.h"
#include "xml/Parser.h"

namespace {

using xml::SystemVersion;

const SystemVersion windows2000{SystemVersion::WORKSTATION, 0x0500, 0x0400};
const SystemVersion xpSp1a{SystemVersion::PERSONAL, 0x0501, 0x0101};
const SystemVersion server2003Sp2{SystemVersion::SERVER, 0x0502, 0x0200};
const SystemVersion windows11{SystemVersion::WORKSTATION, 0x0a00, 0, 26100};

// The tree below a node in one line: elements as name(children), texts quoted.
std::wstring render(const xml::Node& node) {
    std::wstring out;
    for (auto child = node.childrenBegin(); child != node.childrenEnd(); ++child) {
        out += out.empty() ? L"" : L",";
        if ((*child)->getType() == xml::TEXT_NODE) {
            out += L"'" + (*child)->getText() + L"'";
        } else {
            out += (*child)->getName();
            if ((*child)->getChildCount() != 0) out += L"(" + render(**child) + L")";
        }
    }
    return out;
}

// The document built from the body as the system would see it, or the
// message of the exception that building raised.
std::wstring build(const SystemVersion& system, const std::wstring& body) {
    xml::Document document;
    xml::VersionDependedDocumentBuilder builder(&document, system);
    std::wistringstream in(parser_cases::declaration + body);
    try {
        xml::Parser(&builder).parse(in);
    } catch (const Exception& e) {
        return L"error: " + e.getMessage();
    }
    return render(document);
}

TEST(VersionDependedDocumentBuilder, KeepsWhatHoldsAndRefusesWhatIsFaulty) {
    const struct {
        const SystemVersion& system;
        const wchar_t* body;
        const wchar_t* expected;
    } cases[] = {
        {windows2000, L"<e productVersion='5'/>", L"e"},
        {xpSp1a, L"<e productVersion='== 5.0'/>", L""},
        {xpSp1a, L"<e productVersion='>= 5.1'/>", L"e"},
        {windows2000, L"<e productVersion='>= 5.1'/>", L""},
        {xpSp1a, L"<e productVersion='< 5.1'/>", L""},
        {xpSp1a, L"<e productVersion='< 99999999'/>", L"e"},
        {server2003Sp2, L"<e productType='server'/>", L"e"},
        {xpSp1a, L"<e productType='Workstation'/>", L""},
        // Client editions, Home among them, as opposed to servers.
        {xpSp1a, L"<e productType='< Server'/><f productType='< Workstation'/>", L"e,f"},
        {server2003Sp2, L"<e productType='< Server'/>", L""},
        {server2003Sp2, L"<e productSPVersion='< 2'/>", L""},
        {xpSp1a, L"<e productSPVersion='1'/>", L""},
        {xpSp1a, L"<e productVersion='> 5.0'/>", L"error: invalid expression: > 5.0"},
        {xpSp1a, L"<e productVersion='>=5.0'/>", L"error: invalid productVersion: >=5.0"},
        {xpSp1a, L"<e productVersion='5.1.2'/>", L"error: invalid productVersion: 5.1.2"},
        {xpSp1a, L"<e productType='Home'/>", L"error: unknown productType: Home"},
        {xpSp1a, L"<e productSPVersion='1a'/>", L"error: invalid productSPVersion: 1a"},
        // The first condition that fails ends the test before the next is read.
        {xpSp1a, L"<e productType='Server' productVersion='bad'/>", L""},
        {xpSp1a, L"<e productType='Personal' productVersion='bad'/>",
         L"error: invalid productVersion: bad"},
        {xpSp1a, L"<e productVersion='5.0' productSPVersion='bad'/>", L""},
        {windows11, L"<e productBuild='>= 22000'/><f productBuild='< 22000'/>", L"e"},
        {windows11, L"<e productBuild='26100'/><f productBuild='== 26200'/>", L"e"},
        {server2003Sp2, L"<e productBuild='< 1'/>", L"e"},
        {windows11, L"<e productBuild='>= 22H2'/>", L"error: invalid productBuild: 22H2"},
        {windows11, L"<e productBuild='>= 10.0'/>", L"error: invalid productBuild: 10.0"},
        {windows11, L"<e productSPVersion='1' productBuild='bad'/>", L""},
        // Whole subtrees are left out, and the rest kept with its attributes.
        {xpSp1a,
         L"<r productVersion='>= 5.1'>a<g productType='Server'><g>x</g><i/></g><g/></r><s/>",
         L"r('a',g),s"},
        {xpSp1a, L"</#document>", L"error: end name missmatch: #document and /#document"},
        {xpSp1a, L"<a></b>", L"error: end name missmatch: a and /b"},
        {xpSp1a, L"<a productType='Server'><b></c>", L"error: end name missmatch: b and /c"},
        {xpSp1a, L"<a>", L"error: no document end"},
        {xpSp1a, L"<a productType='Server'>", L"error: no document end"},
    };
    for (const auto& c : cases) EXPECT_EQ(build(c.system, c.body), c.expected) << c.body;
}

TEST(SystemVersion, PlacesProductTypesAndServicePacks) {
    EXPECT_EQ(SystemVersion::productTypeOf(0x0200, 1), SystemVersion::PERSONAL);
    EXPECT_EQ(SystemVersion::productTypeOf(0x0100, 1), SystemVersion::WORKSTATION);
    EXPECT_EQ(SystemVersion::productTypeOf(0x0000, 3), SystemVersion::SERVER);
    EXPECT_EQ(SystemVersion::productTypeOf(0x0000, 2), SystemVersion::SERVER);
    EXPECT_EQ(SystemVersion::productTypeOf(L"winnt"), SystemVersion::WORKSTATION);
    EXPECT_EQ(SystemVersion::productTypeOf(L"SERVERNT"), SystemVersion::SERVER);
    EXPECT_EQ(SystemVersion::productTypeOf(L"LanManNT"), SystemVersion::SERVER);
    EXPECT_EQ(SystemVersion::servicePackOf(L""), 0);
    EXPECT_EQ(SystemVersion::servicePackOf(L"service pack 6a"), 0x0601);
    EXPECT_EQ(SystemVersion::servicePackOf(L"Service Pack 6a beta"), 0x0600);
    EXPECT_EQ(messageOf<Exception>([] { SystemVersion::productTypeOf(0, 4); }),
              L"unknown OS product type: 4");
    EXPECT_EQ(messageOf<Exception>([] { SystemVersion::productTypeOf(L"Terminal"); }),
              L"unknown OS product type: Terminal");
    EXPECT_EQ(messageOf<Exception>([] { SystemVersion::servicePackOf(L"SP2"); }),
              L"unknown OS service pack version: SP2");
}

}  // namespace
