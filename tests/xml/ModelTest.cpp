#include <gtest/gtest.h>

#include "../core/MessageOf.h"
#include "core/Constants.h"
#include "core/Exception.h"
#include "xml/Document.h"
#include "xml/Text.h"

namespace {

TEST(Model, TextIsEverythingBelowInDocumentOrder) {
    xml::Document document;
    auto* root = new xml::Element(L"help");
    document.addChild(root);
    root->addChild(new xml::Text(L"a"));
    auto* inner = new xml::Element(L"b");
    inner->addChild(new xml::Text(L"b"));
    root->addChild(inner);
    root->addChild(new xml::Text(L"c"));
    EXPECT_EQ(inner->getParent(), root);
    EXPECT_EQ(document.getText(), L"abc");
    // Adding a child drops the element's own cached text.
    root->addChild(new xml::Text(L"d"));
    EXPECT_EQ(root->getText(), L"abcd");
}

TEST(Model, AttributesSortByCodeUnitAndAbsentIsNotEmpty) {
    xml::Element element(L"item");
    for (const wchar_t* name : {L"b", L"a", L"B", L"A"}) element.setAttribute(name, L"1");
    element.setAttribute(L"b", L"2");
    std::wstring order;
    for (const auto& [name, value] : element.getAttributes()) order += name + value;
    EXPECT_EQ(order, L"A1B1a1b2");

    element.setAttribute(L"empty", L"");
    EXPECT_EQ(element.getAttribute(L"empty"), L"");
    EXPECT_FALSE(element.hasAttribute(L"missing"));
    EXPECT_EQ(element.getAttribute(L"missing"), NULL_STRING);
}

TEST(Model, TextNodesAreLeaves) {
    xml::Text text(L"t");
    EXPECT_EQ(text.getAttribute(L"a"), NULL_STRING);
    const struct {
        void (*act)(xml::Text&);
        const wchar_t* message;
    } refusals[] = {
        {[](xml::Text& t) { t.addChild(new xml::Text(L"child")); },
         L"can't add child to text node"},
        {[](xml::Text& t) { t.setAttribute(L"a", L"1"); }, L"can't set attribute to text node"},
    };
    for (const auto& refusal : refusals) {
        EXPECT_EQ(messageOf<xml::XMLException>([&] { refusal.act(text); }), refusal.message);
    }
    EXPECT_EQ(text.childrenBegin(), text.childrenEnd());
}

}  // namespace
