#include "config/DefinitionLoader.h"

#include <windows.h>

#include <memory>
#include <set>
#include <sstream>

#include "config/Category.h"
#include "config/ClassTable.h"
#include "config/HelpText.h"
#include "config/ItemGroup.h"
#include "config/ItemGroupSelector.h"
#include "core/Constants.h"
#include "core/Exception.h"
#include "core/FindHandle.h"
#include "core/StringUtil.h"
#include "items/Item.h"
#include "items/Targets.h"
#include "xml/Document.h"
#include "xml/Parser.h"
#include "xml/UnicodeFile.h"
#include "xml/VersionDependedDocumentBuilder.h"

namespace {

// Parses one definition file, leaving out what does not apply to this
// system. The document lives only while the caller reads it.
std::unique_ptr<xml::Document> readDefinitionFile(const std::wstring& path) {
    std::wstring text;
    readUnicodeFile(path, text);
    std::wistringstream in(text);
    auto document = std::make_unique<xml::Document>();
    xml::VersionDependedDocumentBuilder builder(document.get());
    xml::Parser parser(&builder);
    parser.parse(in);
    return document;
}

const xml::Node* firstChildElement(const xml::Node& parent, const std::wstring& name) {
    for (xml::Node* const* child = parent.childrenBegin(); child != parent.childrenEnd(); ++child) {
        if ((*child)->getType() == xml::ELEMENT_NODE && (*child)->getName() == name) return *child;
    }
    return nullptr;
}

// Calls read(child) for each element child named name, in document order.
template <typename Read>
void forEachChildElement(const xml::Node& parent, const std::wstring& name, Read read) {
    for (xml::Node* const* child = parent.childrenBegin(); child != parent.childrenEnd(); ++child) {
        if ((*child)->getType() == xml::ELEMENT_NODE && (*child)->getName() == name) read(**child);
    }
}

// An attribute that must be given and not empty.
const std::wstring& requiredAttribute(const xml::Node& element, const std::wstring& name,
                                      const wchar_t* message) {
    const std::wstring& value = element.getAttribute(name);
    if (value.empty() || value == NULL_STRING) throw ConfigException(message);
    return value;
}

bool isSelfOrAncestor(const Category* candidate, const Category* category) {
    for (const Category* c = category; c != nullptr; c = c->getParent()) {
        if (c == candidate) return true;
    }
    return false;
}

}  // namespace

DefinitionLoader::DefinitionLoader(const std::wstring& itemsDirectory)
    : itemsDirectory_(itemsDirectory) {}

void DefinitionLoader::loadAll() {
    for (const std::wstring& name : findRootFiles()) {
        readRootFile(*readDefinitionFile(joinPath(itemsDirectory_, name)));
    }
}

std::vector<std::wstring> DefinitionLoader::findRootFiles() const {
    const std::wstring pattern = joinPath(itemsDirectory_, L"root*.xml");
    WIN32_FIND_DATAW data;
    FindHandle search(FindFirstFileW(pattern.c_str(), &data));
    if (!search.valid()) throw IOException(L"::FindFirstFile(" + pattern + L") failed");
    // Plain code-unit order, so root10.xml comes before root2.xml.
    std::set<std::wstring> names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.insert(name);
    } while (FindNextFileW(search.get(), &data));
    if (GetLastError() != ERROR_NO_MORE_FILES) throw IOException(L"::FindNextFile() failed");
    return std::vector<std::wstring>(names.begin(), names.end());
}

void DefinitionLoader::readRootFile(const xml::Document& document) {
    const xml::Node* groups = firstChildElement(document, L"groups");
    if (groups == nullptr) throw ConfigException(L"no groups element");
    forEachChildElement(*groups, L"group",
                        [this](const xml::Node& group) { readCategoryReference(group, 1); });
}

Category* DefinitionLoader::readCategoryReference(const xml::Node& element, int level) {
    if (level > maxReferenceLevels) {
        throw ConfigException(L"category references nested deeper than " +
                              toString(maxReferenceLevels) + L" levels");
    }
    const std::wstring& src = element.getAttribute(L"src");
    if (src == NULL_STRING) return readCategoryDefinition(element);

    Category* category;
    {
        const std::unique_ptr<xml::Document> document =
            readDefinitionFile(joinPath(itemsDirectory_, src));
        const xml::Node* definition = firstChildElement(*document, L"group");
        if (definition == nullptr) throw ConfigException(L"no group element");
        category = readCategoryDefinition(*definition);
    }
    const std::wstring& expand = element.getAttribute(L"expand");
    if (expand != NULL_STRING) category->setExpanded(parseBoolean(expand));

    forEachChildElement(element, L"group", [this, category, level](const xml::Node& child) {
        Category* sub = readCategoryReference(child, level + 1);
        // A category stays under the first parent that claimed it. One that
        // is this category or above it stays where it is too: placing it
        // would close a cycle, and every walk down the tree would never end.
        if (sub->getParent() == nullptr && !isSelfOrAncestor(sub, category)) {
            sub->setParent(category);
            category->addSubCategory(sub);
        }
    });
    return category;
}

Category* DefinitionLoader::readCategoryDefinition(const xml::Node& element) {
    const std::wstring& id = requiredAttribute(
        element, L"id", L"no id specified on category defenition (group element)");
    Category* category = categoryFor(id, element.getAttribute(L"class"));

    forEachChildElement(element, L"params", [category](const xml::Node& params) {
        category->configure(static_cast<const xml::Element&>(params));
    });
    for (xml::Node* const* c = element.childrenBegin(); c != element.childrenEnd(); ++c) {
        const xml::Node& child = **c;
        if (child.getType() != xml::ELEMENT_NODE) continue;
        const std::wstring& name = child.getName();
        if (name == L"name") {
            category->setName(child.getText());
        } else if (name == L"help") {
            category->setHelp(helpTextOf(child));
        } else if (name == L"group" || name == L"item") {
            ItemGroup* group = name == L"group" ? readItemGroup(child) : readLoneItem(child);
            group->setParent(category);
            category->addItemGroup(group);
        }
    }
    return category;
}

Category* DefinitionLoader::categoryFor(const std::wstring& id, const std::wstring& className) {
    const bool classGiven = className != NULL_STRING;
    for (Category* category : categories_) {
        if (category->getId() != id) continue;
        if (classGiven) throw ConfigException(L"duplicate id with class: " + id);
        return category;
    }
    Category* category = classGiven ? ClassTable::createSelector(className) : new Category;
    category->setId(id);
    categories_.push_back(category);
    return category;
}

ItemGroup* DefinitionLoader::readItemGroup(const xml::Node& element) {
    auto* group = new ItemGroup;
    group->setId(requiredAttribute(element, L"id", L"no id specified in group element"));
    for (xml::Node* const* c = element.childrenBegin(); c != element.childrenEnd(); ++c) {
        const xml::Node& child = **c;
        if (child.getType() != xml::ELEMENT_NODE) continue;
        const std::wstring& name = child.getName();
        if (name == L"name") {
            group->setName(child.getText());
        } else if (name == L"help") {
            group->setHelp(helpTextOf(child));
        } else if (name == L"shortHelp") {
            group->setShortHelp(child.getText());
        } else if (name == L"item") {
            Item* item = readItem(child);
            item->setItemGroup(group);
            group->addItem(item);
        }
    }
    return group;
}

ItemGroup* DefinitionLoader::readLoneItem(const xml::Node& element) {
    Item* item = readItem(element);
    auto* group = new ItemGroup;
    item->setItemGroup(group);
    group->setId(item->getId());
    group->setName(item->getName());
    group->setHelp(item->getHelp());
    group->setShortHelp(item->getShortHelp());
    group->addItem(item);
    return group;
}

Item* DefinitionLoader::readItem(const xml::Node& element) {
    const std::wstring& className =
        requiredAttribute(element, L"class", L"no class attribute specified in item element");
    Item* item = ClassTable::createItem(className);
    item->setId(requiredAttribute(element, L"id", L"no id specified in item element"));
    for (xml::Node* const* c = element.childrenBegin(); c != element.childrenEnd(); ++c) {
        const xml::Node& child = **c;
        if (child.getType() != xml::ELEMENT_NODE) continue;
        const std::wstring& name = child.getName();
        if (name == L"name") {
            item->setName(child.getText());
        } else if (name == L"params") {
            item->configure(static_cast<const xml::Element&>(child));
        } else if (name == L"affectTarget") {
            item->setAffectTarget(affectTargetOf(child.getText()));
        } else if (name == L"postChanged") {
            item->setPostChanged(postChangedOf(child.getText()));
        } else if (name == L"help") {
            item->setHelp(helpTextOf(child));
        }
    }
    return item;
}

uint32_t DefinitionLoader::affectTargetOf(const std::wstring& text) {
    if (text == L"no") return AffectTarget::NOBODY;
    if (text == L"system") return AffectTarget::SYSTEM;
    if (text == L"user") return AffectTarget::USER;
    if (text == L"all") return AffectTarget::ALL;
    throw ConfigException(L"illegal <affectTarget>: " + text);
}

int32_t DefinitionLoader::postChangedOf(const std::wstring& text) {
    if (text == L"no") return PostChanged::NOTHING;
    if (text == L"logoff") return PostChanged::LOGOFF;
    if (text == L"reboot") return PostChanged::REBOOT;
    throw ConfigException(L"illegal <postChanged>: " + text);
}
