#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "items/Targets.h"

class Category;
class Customizer;
class Item;
class ItemGroup;

// What the main window shows of the catalogue: the settings that both the
// target filter and the search text let through, the groups that hold one
// of them, and the categories that hold one themselves or below them. The
// texts a search looks at are folded once, when the catalogue is given, so a
// new search text costs one substring search per setting.
class SettingSearch {
public:
    // How far a new filter or text changed what is shown: not at all, only
    // settings and groups, or the categories of the tree too.
    enum class Change { NONE, SETTINGS, CATEGORIES };

    SettingSearch() = default;
    explicit SettingSearch(const std::vector<Category*>& categories);

    Change setTargetFilter(uint32_t mask);
    // A setting is found by its name, check-box label, choice names or help,
    // or by its group's name or help. An empty text finds every setting.
    Change setText(const std::wstring& text);
    bool isSearching() const { return !query_.empty(); }

    // For settings, groups and categories alike.
    bool shows(const Customizer& subject) const {
        return shown_.contains(&subject) || shownCategories_.contains(&subject);
    }
    // Whether one of the category's own groups is shown, not only one of its
    // sub-categories'.
    bool holdsShown(const Category& category) const;
    // The first category in tree order that holds a shown setting itself,
    // or none.
    Category* firstHoldingShown() const;

private:
    Change update();
    // Adds the category to the shown ones when it holds a shown setting
    // itself or below it; true when it does.
    bool gather(const Category& category, std::unordered_set<const Customizer*>& shown,
                std::unordered_map<const Customizer*, bool>& categories) const;
    Category* firstHoldingShown(const std::vector<Category*>& categories) const;

    std::vector<Category*> categories_;
    // Each setting's texts and its group's, folded and joined.
    std::unordered_map<const Item*, std::wstring> texts_;
    // The shown settings and groups, and apart from them the shown
    // categories, whose change alone alters the tree.
    std::unordered_set<const Customizer*> shown_;
    std::unordered_set<const Customizer*> shownCategories_;
    uint32_t mask_ = AffectTarget::ALL;
    std::wstring query_;
};
