// catalogue_check: loads a catalogue as velmora does and either
//   check       prints every fault of the catalogue's own sanity, one per
//               line, and exits 1 when there is one;
//   flip FILE   gives every setting a value other than the one it holds,
//               saves all of them to FILE as the save button does with the
//               filter on all, and prints the catalogue as velmora-dump would
//               show it once FILE is imported;
//   undo FOLDER gives every setting another value, keeps the undo file in
//               FOLDER, applies every item, imports the undo file and prints
//               every key or value of the trees around the settings that
//               did not come back byte for byte.
// Usage: catalogue_check ITEMS-DIRECTORY check | flip FILE | undo FOLDER

#include <windows.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "../registry/RegistryDump.h"
#include "app/CatalogueDump.h"
#include "app/UndoFile.h"
#include "config/CatalogueWalk.h"
#include "config/Category.h"
#include "config/ClassTable.h"
#include "config/DefinitionLoader.h"
#include "config/ItemGroup.h"
#include "core/Exception.h"
#include "core/Platform.h"
#include "core/StringUtil.h"
#include "items/AbstractRegBitValueItem.h"
#include "items/AbstractRegItem.h"
#include "items/CheckItem.h"
#include "items/DiskPerformanceCounterItem.h"
#include "items/ExecItem.h"
#include "items/Inheritable.h"
#include "items/PriorityControlItem.h"
#include "items/RegDeleteSubKeysItem.h"
#include "items/SaveTarget.h"
#include "items/ToggleItem.h"
#include "items/ValueItem.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorage.h"

namespace {

void forEachGroup(const std::vector<Category*>& categories,
                  const std::function<void(const Category&, ItemGroup&)>& visit) {
    for (Category* category : categories)
        for (ItemGroup* group : category->getItemGroups()) visit(*category, *group);
}

std::vector<std::wstring> faultsOf(const std::vector<Category*>& categories) {
    std::vector<std::wstring> faults;
    std::set<std::wstring> ids;
    auto fault = [&](const std::wstring& where, const std::wstring& what) {
        faults.push_back(where + L": " + what);
    };
    for (const Category* category : categories) {
        if (category->getName().empty()) fault(category->getId(), L"category without a name");
        if (category->getHelp().empty()) fault(category->getId(), L"category without help");
    }
    forEachGroup(categories, [&](const Category& category, ItemGroup& group) {
        const std::wstring where = category.getId() + L"." + group.getId();
        if (group.getName().empty()) fault(where, L"group without a name");
        if (group.getHelp().empty()) fault(where, L"group without help");
        for (Item* item : group.getItems()) {
            const std::wstring id = qualifiedIdOf(*item);
            if (!ids.insert(id).second) fault(id, L"second item of this qualified id");
            if (item->getName().empty()) fault(id, L"item without a name");
            if (item->getHelp().empty()) fault(id, L"item without help");
            // A setting names the Microsoft document of its facts last, and
            // its help fits the five lines of the help area.
            if (dynamic_cast<const ExecItem*>(item) == nullptr) {
                const std::wstring& help = item->getHelp();
                const size_t last = help.rfind(L'\n');
                if (help.find(L"出典: Microsoft「", last == std::wstring::npos ? 0 : last + 1) ==
                    std::wstring::npos)
                    fault(id, L"help not ending with its Microsoft source");
                if (std::count(help.begin(), help.end(), L'\n') > 4)
                    fault(id, L"help of more than five lines");
            }
            const auto* reg = dynamic_cast<const AbstractRegItem*>(item);
            const bool deletes = reg != nullptr && reg->isDefaultDeletes();
            if (const auto* value = dynamic_cast<const ValueItem*>(item)) {
                const int32_t min = value->getMin(), max = value->getMax();
                if (min >= max) fault(id, L"no second value between min and max");
                const int32_t meaning = value->getDefaultMeaning();
                if (meaning < min || meaning > max) fault(id, L"default shown outside min and max");
                // A default outside the range is only the mark of a missing
                // value, never data to write.
                const int32_t data = value->getDefaultValue();
                if ((data < min || data > max) && !deletes)
                    fault(id, L"default outside min and max, and written as data");
                if (value->getStep() <= 0 || value->getScale() <= 0) fault(id, L"no step");
            }
            if (const auto* toggle = dynamic_cast<const ToggleItem*>(item)) {
                const int32_t count = toggle->getChoiceCount();
                if (count < 2) fault(id, L"fewer than two choices");
                if (toggle->getDefaultIndex() < 0 || toggle->getDefaultIndex() >= count)
                    fault(id, L"default is none of the choices");
                for (int32_t i = 0; i < count; ++i)
                    if (toggle->getChoiceName(i).empty()) fault(id, L"choice without a name");
            }
            if (const auto* check = dynamic_cast<const CheckItem*>(item)) {
                if (check->getLabel().empty() || check->getLabel() == NULL_STRING)
                    fault(id, L"check box without a label");
            }
        }
    });
    return faults;
}

// A value other than the current one that the item accepts.
int32_t otherNumber(const ValueItem& value) {
    const int32_t current = value.getCurrentValue();
    for (const int32_t candidate : {value.getMax(), value.getMin(), value.getMin() + value.getStep()})
        if (candidate != current) return candidate;
    return current;
}

uint32_t otherBits(const AbstractRegBitValueItem& bits, const Item& item) {
    const uint32_t current = bits.getCurrentValue();
    // Short variable quanta with the largest boost, or long fixed ones.
    if (dynamic_cast<const PriorityControlItem*>(&item)) return current == 0x26 ? 0x18 : 0x26;
    return current ^ 1;
}

// Saving records what the item holds in the registry; these hold nothing a
// file carries: the disk counter's tool run, and a cleaned key's way back,
// which is its backup file.
bool flippable(const Item& item) {
    if (dynamic_cast<const DiskPerformanceCounterItem*>(&item)) return false;
    if (dynamic_cast<const RegDeleteSubKeysItem*>(&item))
        return !dynamic_cast<const CheckItem&>(item).getCurrentState();
    return true;
}

void flip(Item& item) {
    if (!flippable(item)) return;
    if (auto* inheritable = dynamic_cast<Inheritable*>(&item);
        inheritable != nullptr && inheritable->canInherit())
        inheritable->setInherited(false);
    if (auto* check = dynamic_cast<CheckItem*>(&item)) {
        check->setCurrentState(!check->getCurrentState());
    } else if (auto* value = dynamic_cast<ValueItem*>(&item)) {
        value->setCurrentValue(otherNumber(*value));
    } else if (auto* toggle = dynamic_cast<ToggleItem*>(&item)) {
        toggle->setCurrentIndex((toggle->getCurrentIndex() + 1) % toggle->getChoiceCount());
    } else if (auto* bits = dynamic_cast<AbstractRegBitValueItem*>(&item)) {
        bits->setCurrentValue(otherBits(*bits, item));
    }
}

void write(DWORD handle, const std::wstring& text) { writeStandard(handle, toUtf8(text)); }

// The key three levels below its root that holds the path, so that what an
// apply creates beside a setting's key is compared too.
std::wstring treeOf(const std::wstring& keyPath) {
    size_t end = 0;
    for (int level = 0; level < 4 && end != std::wstring::npos; ++level)
        end = keyPath.find(L'\\', end == 0 ? 0 : end + 1);
    return keyPath.substr(0, end);
}

Dump dumpOf(const std::wstring& tree) {
    const size_t separator = tree.find(L'\\');
    return dump(tree.substr(separator + 1), L"", RegKey::rootFromString(tree.substr(0, separator)));
}

int undo(const std::vector<Category*>& categories, const std::wstring& folder) {
    std::map<std::wstring, Dump> before;
    int changed = 0;
    forEachItem(categories, [&](Item& item) {
        flip(item);
        const auto* reg = dynamic_cast<const AbstractRegItem*>(&item);
        if (reg == nullptr || !reg->isChanged()) return;
        ++changed;
        const std::wstring tree = treeOf(reg->getKeyPath());
        if (!before.count(tree)) before[tree] = dumpOf(tree);
    });
    const std::wstring file = UndoFile(categories).save({{folder, {}}}, L"undo");
    int failures = 0;
    forEachItem(categories, [&](Item& item) {
        try {
            item.apply();
        } catch (const Exception& e) {
            write(STD_OUTPUT_HANDLE, qualifiedIdOf(item) + L": not applied: " + e.getMessage() + L"\n");
            ++failures;
        }
    });
    int moved = 0;
    for (const auto& [tree, dumped] : before) moved += dumpOf(tree) != dumped;
    RegistryStorage::importRegFile(file);
    for (const auto& [tree, dumped] : before) {
        const std::wstring lost = differences(dumped, dumpOf(tree));
        if (!lost.empty()) write(STD_OUTPUT_HANDLE, tree + L":\n" + lost);
        failures += !lost.empty();
    }
    write(STD_OUTPUT_HANDLE, toString(changed) + L" items changed in " +
                                 toString(static_cast<int32_t>(before.size())) + L" trees, " +
                                 toString(moved) + L" of them changed by the apply\n");
    return failures == 0 && moved != 0 ? 0 : 1;
}

int run(int argc, wchar_t** argv) {
    const std::wstring mode = argc >= 3 ? argv[2] : L"";
    if (!(argc == 3 && mode == L"check") && !(argc == 4 && (mode == L"flip" || mode == L"undo"))) {
        write(STD_ERROR_HANDLE,
              L"usage: catalogue_check ITEMS-DIRECTORY check | flip FILE | undo FOLDER\n");
        return 2;
    }
    ClassTable::registerClasses();
    DefinitionLoader loader(argv[1]);
    loader.loadAll();
    const std::vector<Category*> categories = loader.getCategories();
    if (mode == L"check") {
        const std::vector<std::wstring> faults = faultsOf(categories);
        for (const std::wstring& fault : faults) write(STD_OUTPUT_HANDLE, fault + L"\n");
        return faults.empty() ? 0 : 1;
    }
    if (mode == L"undo") return undo(categories, argv[3]);
    forEachGroup(categories, [](const Category&, ItemGroup& group) {
        for (Item* item : group.getItems()) flip(*item);
    });
    SaveTarget target(argv[3]);
    forEachGroup(categories, [&](const Category&, ItemGroup& group) {
        for (Item* item : group.getItems()) item->store(target);
    });
    target.finish();
    write(STD_OUTPUT_HANDLE, dumpCatalogue(categories));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return run(argc, argv);
    } catch (const Exception& e) {
        write(STD_ERROR_HANDLE, e.getMessage() + L"\n");
        return 1;
    }
}
