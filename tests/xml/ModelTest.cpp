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
    auto* inner = new xml::Element(L"b");
    document.addChild(root);
    for (xml::Node* child :
         std::initializer_list<xml::Node*>{new xml::Text(L"a"), inner, new xml::Text(L"c")})
        root->addChild(child);
    inner->addChild(new xml::Text(L"b"));
    EXPECT_EQ(inner->getParent(), root);
    EXPECT_EQ(document.getText(), L"abc");
    // Adding a child drops the element's own cached text.
    root->addChild(new xml::Text(L"d"));
    EXPECT_EQ(root->getText(), L"abcd");
}

TEST(Model, AttributesSortByCodeUnitAbsentIsNotEmptyAndTextsHaveNone) {
    xml::Element element(L"item");
    for (const wchar_t* name : {L"b", L"a", L"B", L"A"}) element.setAttribute(name, L"1");
    element.setAttribute(L"b", L"2");
    element.setAttribute(L"empty", L"");
    std::wstring order;
    for (const auto& [name, value] : element.getAttributes()) order += name + value;
    EXPECT_EQ(order, L"A1B1a1b2empty");
    EXPECT_EQ(element.getAttribute(L"empty"), L"");
    EXPECT_FALSE(element.hasAttribute(L"missing"));
    EXPECT_EQ(element.getAttribute(L"missing"), NULL_STRING);

    xml::Text text(L"t");
    EXPECT_EQ(text.getAttribute(L"a"), NULL_STRING);
    EXPECT_EQ(messageOf<xml::XMLException>([&] { text.addChild(new xml::Text(L"child")); }),
              L"can't add child to text node");
    EXPECT_EQ(messageOf<xml::XMLException>([&] { text.setAttribute(L"a", L"1"); }),
              L"can't set attribute to text node");
    EXPECT_EQ(text.childrenBegin(), text.childrenEnd());
}

}  // namespace
