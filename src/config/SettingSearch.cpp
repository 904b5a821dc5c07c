#include "config/SettingSearch.h"

#include <algorithm>

#include "config/Category.h"
#include "config/CategoryTree.h"
#include "config/ItemGroup.h"
#include "core/SearchFold.h"
#include "items/CheckItem.h"
#include "items/Item.h"
#include "items/ToggleItem.h"

namespace {

// Ends each text of a setting: no query holds it, since an edit field
// cannot, so no match runs from one text into the next.
constexpr wchar_t TEXT_END = L'\0';

void addText(std::wstring& texts, const std::wstring& text) {
    texts += foldForSearch(text);
    texts += TEXT_END;
}

std::wstring searchedTexts(const Item& item, const ItemGroup& group) {
    std::wstring texts;
    addText(texts, item.getName());
    if (const auto* check = dynamic_cast<const CheckItem*>(&item))
        addText(texts, check->getLabel());
    if (const auto* toggle = dynamic_cast<const ToggleItem*>(&item)) {
        for (int32_t i = 0; i < toggle->getChoiceCount(); ++i)
            addText(texts, toggle->getChoiceName(i));
    }
    addText(texts, item.getHelp());
    addText(texts, group.getName());
    addText(texts, group.getHelp());
    return texts;
}

}  // namespace

SettingSearch::SettingSearch(const std::vector<Category*>& categories) : categories_(categories) {
    std::unordered_set<const Item*> seen;
    const auto index = [&](const std::vector<Category*>& list, auto& self) -> void {
        for (const Category* category : list) {
            for (const ItemGroup* group : category->getItemGroups()) {
                for (const Item* item : group->getItems()) {
                    if (seen.insert(item).second) texts_[item] = searchedTexts(*item, *group);
                }
            }
            self(category->getSubCategories(), self);
        }
    };
    index(categories_, index);
    update();
}

SettingSearch::Change SettingSearch::setTargetFilter(uint32_t mask) {
    if (mask == mask_) return Change::NONE;
    mask_ = mask;
    return update();
}

SettingSearch::Change SettingSearch::setText(const std::wstring& text) {
    std::wstring query = foldForSearch(text);
    if (query == query_) return Change::NONE;
    query_ = std::move(query);
    return update();
}

SettingSearch::Change SettingSearch::update() {
    std::unordered_set<const Customizer*> shown;
    std::unordered_map<const Customizer*, bool> categories;
    for (const Category* category : categories_) gather(*category, shown, categories);
    std::unordered_set<const Customizer*> shownCategories;
    for (const auto& [category, held] : categories) {
        if (held) shownCategories.insert(category);
    }
    Change change = Change::NONE;
    if (shownCategories != shownCategories_) {
        change = Change::CATEGORIES;
    } else if (shown != shown_) {
        change = Change::SETTINGS;
    }
    shown_ = std::move(shown);
    shownCategories_ = std::move(shownCategories);
    return change;
}

bool SettingSearch::gather(const Category& category, std::unordered_set<const Customizer*>& shown,
                           std::unordered_map<const Customizer*, bool>& categories) const {
    // Nested categories are listed at the top as well: each is decided once.
    const auto decided = categories.find(&category);
    if (decided != categories.end()) return decided->second;
    bool held = false;
    for (const ItemGroup* group : category.getItemGroups()) {
        bool groupShown = false;
        for (const Item* item : group->getItems()) {
            if (!CategoryTree::meets(mask_, item->getAffectTarget())) continue;
            const auto texts = texts_.find(item);
            if (texts == texts_.end() || !foldedContains(texts->second, query_)) continue;
            shown.insert(item);
            groupShown = true;
        }
        if (groupShown) shown.insert(group);
        held = held || groupShown;
    }
    for (const Category* sub : category.getSubCategories()) {
        // Every sub-category is decided, also once one has decided this one.
        held = gather(*sub, shown, categories) || held;
    }
    categories[&category] = held;
    return held;
}

bool SettingSearch::holdsShown(const Category& category) const {
    const std::vector<ItemGroup*>& groups = category.getItemGroups();
    return std::any_of(groups.begin(), groups.end(),
                       [this](const ItemGroup* group) { return shown_.contains(group); });
}

Category* SettingSearch::firstHoldingShown() const { return firstHoldingShown(categories_); }

Category* SettingSearch::firstHoldingShown(const std::vector<Category*>& categories) const {
    for (Category* category : categories) {
        if (!shows(*category)) continue;
        if (holdsShown(*category)) return category;
        if (Category* below = firstHoldingShown(category->getSubCategories())) return below;
    }
    return nullptr;
}
