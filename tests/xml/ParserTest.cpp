#include "xml/Parser.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "ParserCases.h"
#include "core/Exception.h"
#include "xml/Document.h"
#include "xml/VersionDependedDocumentBuilder.h"

namespace {

using parser_cases::declaration;
using Events = std::vector<std::wstring>;

// Writes every event as one line of text, so whole sequences compare at once.
struct Recorder : xml::ParserCallback {
    void startElement(const std::wstring& name, const xml::AttributeMap& attributes) override {
        std::wstring line = L"start " + name;
        for (const auto& [key, value] : attributes) line += L" " + key + L"=[" + value + L"]";
        events.push_back(line);
    }
    void endElement(const std::wstring& name) override { events.push_back(L"end " + name); }
    void characters(const std::wstring& text) override {
        events.push_back(L"text [" + text + L"]");
    }
    void endDocument() override { events.push_back(L"done"); }
    Events events;
};

// The events a document makes, the last one "error: MESSAGE" when an error
// ended it.
Events parse(const std::wstring& text) {
    Recorder recorder;
    std::wistringstream in(text);
    try {
        xml::Parser(&recorder).parse(in);
    } catch (const xml::XMLException& e) {
        recorder.events.push_back(L"error: " + e.getMessage());
    }
    return recorder.events;
}

TEST(Parser, EachConstructMakesItsEventsAndEachFailureItsMessage) {
    for (const auto& c : parser_cases::failures())
        EXPECT_EQ(parse(c.text).back(), L"error: " + c.message) << testing::PrintToString(c.text);
    for (const auto& cases : {parser_cases::markup(), parser_cases::text()}) {
        for (const auto& c : cases) {
            Events expected = c.events;
            expected.push_back(L"done");
            EXPECT_EQ(parse(declaration + c.body), expected) << testing::PrintToString(c.body);
        }
    }
}

TEST(Parser, DeclarationsEndOfInputAndEventsBeforeAnError) {
    EXPECT_EQ(parse(L"<?xml version='1.0'?>"), Events{L"done"});
    EXPECT_EQ(parse(L"<?xml standalone='yes' version=\"1.0\" ?>\r\n<a/>"),
              (Events{L"start a", L"end a", L"done"}));
    // U+FFFF ends the input for good, also after character data.
    EXPECT_EQ(parse(declaration + L"x" + wchar_t(0xFFFF) + L"<b/>"),
              (Events{L"text [x]", L"done"}));
    EXPECT_EQ(parse(declaration + L"<a b='" + wchar_t(0xFFFF) + L"'/>"),
              Events{L"error: unexpected EOF"});
    EXPECT_EQ(parse(declaration + L"<a>x</a><b c=1><d/>"),
              (Events{L"start a", L"text [x]", L"end a", L"error: unquoted attribute value"}));
}

// The parser reads ahead in blocks; what it reports must not depend on
// where a block ends, nor may anything be read twice after the end. No run
// may be cut where a buffer ends either.
TEST(Parser, RunsAcrossAnyBoundaryAndLongerThanAnyBufferAreReadOnceAndWhole) {
    const std::wstring head = declaration + L"<a/>";
    for (size_t blanks = 4000; blanks < 4200; ++blanks) {
        for (size_t blocks : {1, 4}) {
            const std::wstring text = head + std::wstring(blocks * 4096 - head.size(), L'x') +
                                      std::wstring(blanks, L' ') + L"y";
            const Events events = parse(text);
            ASSERT_EQ(events.size(), 4u) << blanks;
            EXPECT_EQ(events[3], L"done");
        }
    }
    for (size_t shift = 0; shift < 64; ++shift) {
        const std::wstring tail(shift, L' ');
        EXPECT_EQ(parse(declaration + L"<r>" + std::wstring(16384 - shift, L' ') + L"  y" + tail),
                  (Events{L"start r", L"text [y" + tail + L"]", L"done"}))
            << shift;
    }
    const std::wstring big(70000, L'\x3042');
    EXPECT_EQ(parse(declaration + L"<" + big + L" " + big + L"='" + big + L"&amp;" + big +
                    L"'><!--" + big + L"--><![CDATA[" + big + L"]]>" + big + L"</" + big + L">"),
              (Events{L"start " + big + L" " + big + L"=[" + big + L"&" + big + L"]",
                      L"text [" + big + L"]", L"text [" + big + L"]", L"end " + big, L"done"}));
}

// Nesting depth is bounded only by the file's size: a million levels must be
// parsed, read back and freed without exhausting the stack.
TEST(Parser, MillionLevelsDeep) {
    constexpr size_t depth = 1'000'000;
    std::wstring text = declaration;
    for (size_t i = 0; i < depth; ++i) text += L"<e>";
    text += L"x";
    for (size_t i = 0; i < depth; ++i) text += L"</e>";
    auto document = std::make_unique<xml::Document>();
    std::wistringstream in(text);
    xml::VersionDependedDocumentBuilder builder(document.get(), {1, 0x0601, 0});
    xml::Parser(&builder).parse(in);
    EXPECT_EQ(document->getText(), L"x");
    document.reset();
}

}  // namespace
