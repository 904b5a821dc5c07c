#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xml {
class Document;
class Node;
}  // namespace xml
class Category;
class Item;
class ItemGroup;

// Reads the catalogue: the root*.xml files of the items directory in
// code-unit order of their names, and every file their category references
// name. Categories with the same id merge across files. The first error ends
// loading; what was built so far is abandoned.
class DefinitionLoader {
public:
    // Category references nest no deeper, so that a hostile definition ends
    // loading with a ConfigException instead of overflowing the stack.
    static constexpr int maxReferenceLevels = 256;

    explicit DefinitionLoader(const std::wstring& itemsDirectory);
    DefinitionLoader(const DefinitionLoader&) = delete;
    DefinitionLoader& operator=(const DefinitionLoader&) = delete;

    void loadAll();
    // Every category, nested or not, in the order first created.
    std::vector<Category*> getCategories() const { return categories_; }

    // The masks of the affectTarget and postChanged texts; both throw
    // ConfigException "illegal <...>: " + text for any other text.
    static uint32_t affectTargetOf(const std::wstring& text);
    static int32_t postChangedOf(const std::wstring& text);

private:
    std::vector<std::wstring> findRootFiles() const;
    void readRootFile(const xml::Document& document);
    // Level 1 is a reference in a root file's groups element.
    Category* readCategoryReference(const xml::Node& element, int level);
    Category* readCategoryDefinition(const xml::Node& element);
    Category* categoryFor(const std::wstring& id, const std::wstring& className);
    ItemGroup* readItemGroup(const xml::Node& element);
    ItemGroup* readLoneItem(const xml::Node& element);
    Item* readItem(const xml::Node& element);

    std::wstring itemsDirectory_;
    std::vector<Category*> categories_;
};
