#include "app/CatalogueDump.h"

#include <cstdio>
#include <optional>

#include "config/Category.h"
#include "config/ClassTable.h"
#include "config/ItemGroup.h"
#include "config/ItemGroupSelector.h"
#include "core/StringUtil.h"
#include "items/ExecItem.h"
#include "items/Inheritable.h"
#include "items/Tuned.h"
#include "xml/SystemVersion.h"

namespace {

std::wstring hex(uint32_t value) {
    wchar_t text[11];
    std::swprintf(text, sizeof text / sizeof text[0], L"0x%08x", static_cast<unsigned>(value));
    return text;
}

std::wstring boolText(bool value) { return value ? L"true" : L"false"; }

// The selector keys as they are, control characters included.
std::wstring keysOf(const Category& category) {
    const auto* selector = dynamic_cast<const ItemGroupSelector*>(&category);
    if (selector == nullptr) return L"";
    std::wstring keys = L" keys=";
    for (const std::wstring& key : selector->getKeys())
        keys += (&key == &selector->getKeys().front() ? L"" : L"|") + key;
    return keys;
}

std::wstring inheritedOf(const Item& item) {
    const auto* inheritable = dynamic_cast<const Inheritable*>(&item);
    if (inheritable == nullptr || !inheritable->canInherit()) return L"";
    return L" inherited=" + boolText(inheritable->isInherited());
}

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

std::wstring dumpSystem(const xml::SystemVersion& system) {
    const auto pair = [](int32_t value) {
        return toString(value / 256) + L"." + toString(value % 256);
    };
    const wchar_t* const types[] = {L"personal", L"workstation", L"server"};
    return L"windows version=" + pair(system.productVersion) + L" build=" +
           toString(system.build) + L" sp=" + pair(system.servicePackVersion) + L" type=" +
           types[system.productType] + L"\n";
}

ItemValueTexts valueTextsOf(const Item& item) {
    const std::optional<ItemValues> values = valuesOf(item);
    if (!values) return {L"-", L"-", L"-"};
    const auto text = [kind = values->kind](int64_t value) -> std::wstring {
        if (kind == ItemValues::Kind::CHECK) return boolText(value != 0);
        if (kind == ItemValues::Kind::BITS) return hex(static_cast<uint32_t>(value));
        return toString(static_cast<int32_t>(value));
    };
    return {text(values->defaultValue), text(values->stored), text(values->current)};
}

std::wstring dumpCatalogue(const std::vector<Category*>& categories) {
    std::wstring out;
    for (const Category* category : categories) {
        const Category* parent = category->getParent();
        out += L"category " + category->getId() + L" " + quoted(category->getName()) + L" target=" +
               hex(category->getAffectTarget()) + L" expanded=" + boolText(category->isExpanded()) +
               L" parent=" + (parent ? parent->getId() : L"-") + keysOf(*category) + L"\n";
        for (const ItemGroup* group : category->getItemGroups()) {
            out += L"  group " + group->getId() + L" " + quoted(group->getName()) + L" target=" +
                   hex(group->getAffectTarget()) + L"\n";
            for (const Item* item : group->getItems()) {
                const ItemValueTexts values = valueTextsOf(*item);
                out += L"    item " + qualifiedIdOf(*item) + L" class=" +
                       ClassTable::itemClassName(*item) + L" target=" +
                       hex(item->getAffectTarget()) + L" post=" + toString(item->getPostChanged()) +
                       L" default=" + values.defaultValue + L" stored=" + values.stored +
                       L" current=" + values.current + inheritedOf(*item);
                if (const auto* exec = dynamic_cast<const ExecItem*>(item))
                    out += L" targets=" + toString(static_cast<int32_t>(exec->getTargets().size()));
                out += L"\n";
            }
        }
    }
    return out;
}
