#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/Constants.h"
#include "core/Exception.h"
#include "xml/Document.h"
#include "xml/Element.h"
#include "xml/Text.h"

namespace {

using xml::Element;
using xml::Text;

std::vector<std::wstring> namesOf(const xml::AttributeMap& attributes) {
    std::vector<std::wstring> names;
    for (const auto& [name, value] : attributes) names.push_back(name);
    return names;
}

TEST(Model, KindsNamesAndParents) {
    xml::Document document;
    EXPECT_EQ(document.getType(), xml::DOCUMENT_NODE);
    EXPECT_EQ(document.getName(), L"#document");
    EXPECT_EQ(document.getParent(), nullptr);

    auto* root = new Element(L"group");
    document.addChild(root);
    auto* text = new Text(L"help");
    root->addChild(text);
    EXPECT_EQ(root->getType(), xml::ELEMENT_NODE);
    EXPECT_EQ(root->getName(), L"group");
    EXPECT_EQ(root->getParent(), &document);
    EXPECT_EQ(text->getType(), xml::TEXT_NODE);
    EXPECT_EQ(text->getName(), L"#text");
    EXPECT_EQ(text->getParent(), root);

    ASSERT_EQ(document.getChildCount(), 1);
    EXPECT_EQ(*document.childrenBegin(), root);
    EXPECT_EQ(document.childrenEnd() - document.childrenBegin(), 1);
}

TEST(Model, TextIsTheConcatenationBelowInDocumentOrder) {
    Element root(L"help");
    root.addChild(new Text(L"a"));
    auto* inner = new Element(L"b");
    inner->addChild(new Text(L"b"));
    root.addChild(inner);
    root.addChild(new Text(L"c"));
    EXPECT_EQ(root.getText(), L"abc");
    EXPECT_EQ(inner->getText(), L"b");

    // Adding a child drops the element's own cached text.
    root.addChild(new Text(L"d"));
    EXPECT_EQ(root.getText(), L"abcd");

    Element empty(L"e");
    empty.addChild(new Element(L"f"));
    EXPECT_EQ(empty.getText(), L"");
}

TEST(Model, AttributesAreSortedByCodeUnitAndLastWriteWins) {
    Element element(L"item");
    element.setAttribute(L"b", L"1");
    element.setAttribute(L"a", L"x");
    element.setAttribute(L"B", L"y");
    element.setAttribute(L"A", L"z");
    element.setAttribute(L"b", L"2");
    EXPECT_EQ(namesOf(element.getAttributes()),
              (std::vector<std::wstring>{L"A", L"B", L"a", L"b"}));
    EXPECT_EQ(element.getAttribute(L"b"), L"2");

    element.setAttribute(L"empty", L"");
    EXPECT_TRUE(element.hasAttribute(L"empty"));
    EXPECT_EQ(element.getAttribute(L"empty"), L"");
    EXPECT_FALSE(element.hasAttribute(L"missing"));
    EXPECT_EQ(element.getAttribute(L"missing"), NULL_STRING);
    EXPECT_NE(element.getAttribute(L"missing"), element.getAttribute(L"empty"));
}

TEST(Model, TextNodesAreLeaves) {
    Text text(L"t");
    EXPECT_EQ(text.getChildCount(), 0);
    EXPECT_EQ(text.childrenBegin(), text.childrenEnd());
    EXPECT_TRUE(text.getAttributes().empty());
    EXPECT_FALSE(text.hasAttribute(L"a"));
    EXPECT_EQ(text.getAttribute(L"a"), NULL_STRING);

    try {
        text.addChild(new Text(L"child"));
        ADD_FAILURE() << "a text node took a child";
    } catch (const xml::XMLException& e) {
        EXPECT_EQ(e.getMessage(), L"can't add child to text node");
    }
    try {
        text.setAttribute(L"a", L"1");
        ADD_FAILURE() << "a text node took an attribute";
    } catch (const xml::XMLException& e) {
        EXPECT_EQ(e.getMessage(), L"can't set attribute to text node");
    }
    EXPECT_EQ(text.getChildCount(), 0);
    EXPECT_EQ(text.getText(), L"t");
}

// A definition file can nest elements as deep as its size allows; reading and
// freeing such a tree must not run out of stack.
TEST(Model, MillionLevelsDeepAreReadAndFreed) {
    constexpr int depth = 1'000'000;
    auto document = std::make_unique<xml::Document>();
    Element* current = nullptr;
    xml::Node* parent = document.get();
    for (int i = 0; i < depth; ++i) {
        current = new Element(L"e");
        parent->addChild(current);
        parent = current;
    }
    current->addChild(new Text(L"deep"));
    document->addChild(new Text(L"!"));
    EXPECT_EQ(document->getText(), L"deep!");
    document.reset();
}

}  // namespace
