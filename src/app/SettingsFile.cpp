#include "app/SettingsFile.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>

#include "app/CatalogueDump.h"
#include "config/CatalogueWalk.h"
#include "config/CategoryTree.h"
#include "config/DefinitionLoader.h"
#include "core/Constants.h"
#include "core/Exception.h"
#include "core/FileHandle.h"
#include "core/Platform.h"
#include "core/StringUtil.h"
#include "items/BitValueItem.h"
#include "items/CheckItem.h"
#include "items/Inheritable.h"
#include "items/RegDeleteSubKeysItem.h"
#include "items/SaveTarget.h"
#include "items/ToggleItem.h"
#include "items/Tuned.h"
#include "items/ValueItem.h"
#include "registry/RegKey.h"
#include "registry/RegScriptReader.h"
#include "registry/RegistryLayer.h"

namespace {

using Kind = RegScriptEntry::Kind;

// No settings file of a catalogue comes near this; a larger file is no
// settings file.
constexpr LONGLONG maxFileSize = 64 << 20;

// Opened so that nobody may write it while it is read: a file still being
// written elsewhere is refused rather than read in part.
std::string readWhole(const std::wstring& fileName) {
    const FileHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_SHARING_VIOLATION)
            throw IOException(fileName + L": the file is being written elsewhere");
        throw IOException(fileName + L": the file cannot be opened: " + lastErrorText());
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) throw IOException(fileName + L": " + lastErrorText());
    if (size.QuadPart > maxFileSize) throw IOException(fileName + L": the file is too large");
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        throw IOException(fileName + L": the file cannot be read whole: " + lastErrorText());
    return bytes;
}

// Where a line of a script acts: on a key ("[path]" or "[-path]"), or on one
// value of a key; paths and names folded as the registry folds them.
struct Address {
    int kind;
    std::wstring key;
    std::wstring name;
    auto operator<=>(const Address&) const = default;
};

Address addressOf(const RegScriptEntry& entry) {
    switch (entry.kind) {
        case Kind::KEY:
            return {0, toLowerCase(entry.keyPath), L""};
        case Kind::DELETE_KEY:
            return {1, toLowerCase(entry.keyPath), L""};
        default:
            return {2, toLowerCase(entry.keyPath), toLowerCase(entry.valueName)};
    }
}

bool sameChange(const RegScriptEntry& a, const RegScriptEntry& b) {
    return a.kind == b.kind && a.type == b.type && a.data == b.data;
}

std::wstring placeOf(const RegScriptEntry& entry) {
    if (entry.kind != Kind::VALUE && entry.kind != Kind::DELETE_VALUE) return entry.keyPath;
    return entry.keyPath + L"\\" + (entry.valueName == NULL_STRING ? L"@" : entry.valueName);
}

std::wstring lineOf(const RegScriptEntry& entry) {
    return L"line " + toString(static_cast<int32_t>(entry.line)) + L": ";
}

// What saving the item in its present state writes, read back as lines.
std::vector<RegScriptEntry> recordedBy(Item& item) {
    SaveTarget target(L"");
    item.store(target);
    std::wostringstream out;
    target.getStorage().write(out);
    return readRegScriptText(L"\xFEFF" + out.str());
}

// The lines of what the item records that are its own. A key cleaned of its
// sub-keys records the values of the key beside its deletion only so that
// the key comes back with them: those values are other settings', or none.
std::vector<RegScriptEntry> ownLines(Item& item) {
    std::vector<RegScriptEntry> lines = recordedBy(item);
    if (dynamic_cast<const RegDeleteSubKeysItem*>(&item) != nullptr)
        std::erase_if(lines, [](const RegScriptEntry& line) {
            return line.kind == Kind::VALUE || line.kind == Kind::DELETE_VALUE;
        });
    return lines;
}

// A "[path]" line only names the key that the values below it go into,
// unless the item records nothing else: then making the key is what it does.
bool setsSomething(const RegScriptEntry& line, const std::vector<RegScriptEntry>& all) {
    if (line.kind != Kind::KEY) return true;
    for (const RegScriptEntry& other : all)
        if (other.kind != Kind::KEY) return false;
    return true;
}

bool inherits(const Item& item) {
    const auto* inheritable = dynamic_cast<const Inheritable*>(&item);
    return inheritable != nullptr && inheritable->canInherit() && inheritable->isInherited();
}

bool differ(const Item& machine, const Item& file) {
    if (inherits(machine) || inherits(file)) return inherits(machine) != inherits(file);
    const std::optional<ItemValues> now = valuesOf(machine);
    const std::optional<ItemValues> then = valuesOf(file);
    return now && then && now->current != then->current;
}

std::vector<Category*> load(const std::wstring& itemsDirectory) {
    DefinitionLoader loader(itemsDirectory);
    loader.loadAll();
    return loader.getCategories();
}

}  // namespace

SettingsFile::SettingsFile(const std::wstring& fileName, const std::wstring& itemsDirectory,
                           uint32_t filter) {
    const std::vector<RegScriptEntry> entries = readRegScript(readWhole(fileName));
    machine_ = load(itemsDirectory);
    std::map<std::wstring, Item*> machineItems;
    forEachItem(machine_, [&](Item& item) { machineItems.emplace(qualifiedIdOf(item), &item); });

    // Each item's lines, recorded while the registry still reads as the file
    // leaves it: items that keep several settings in one value record the
    // others as they read them.
    const RegistryLayer layer(entries);
    std::vector<Item*> fileItems;
    std::vector<std::vector<RegScriptEntry>> recorded;
    std::map<Address, std::vector<std::pair<size_t, const RegScriptEntry*>>> recorders;
    {
        const RegKey::Layered layered(layer);
        forEachItem(load(itemsDirectory), [&](Item& item) {
            if (!CategoryTree::meets(item.getAffectTarget(), filter)) return;
            try {
                recorded.push_back(ownLines(item));
            } catch (const Exception&) {
                // An item that cannot record itself takes no line.
                return;
            }
            fileItems.push_back(&item);
        });
    }
    for (size_t i = 0; i < fileItems.size(); ++i)
        for (const RegScriptEntry& line : recorded[i])
            recorders[addressOf(line)].emplace_back(i, &line);

    std::vector<size_t> firstLine(fileItems.size(), 0);
    for (const RegScriptEntry& entry : entries) {
        const auto found = recorders.find(addressOf(entry));
        if (found == recorders.end()) {
            const wchar_t* const what = entry.kind == Kind::KEY          ? L"is in key "
                                        : entry.kind == Kind::DELETE_KEY ? L"deletes key "
                                                                         : L"reads ";
            refusals_.push_back(lineOf(entry) + L"no setting of the catalogue " + what +
                                placeOf(entry));
            continue;
        }
        for (const auto& [index, line] : found->second) {
            if (entry.kind != Kind::KEY && !sameChange(*line, entry)) {
                refusals_.push_back(lineOf(entry) + placeOf(entry) + L": not a value that " +
                                    qualifiedIdOf(*fileItems[index]) + L" takes");
                break;
            }
            if (setsSomething(*line, recorded[index]) && firstLine[index] == 0)
                firstLine[index] = entry.line;
        }
    }

    for (size_t i = 0; i < fileItems.size(); ++i) {
        if (firstLine[i] == 0) continue;
        const Item& file = *fileItems[i];
        const std::wstring at = L"line " + toString(static_cast<int32_t>(firstLine[i])) + L": ";
        const auto* number = dynamic_cast<const ValueItem*>(&file);
        if (number != nullptr && !inherits(file) &&
            (number->getCurrentValue() < number->getMin() ||
             number->getCurrentValue() > number->getMax())) {
            refusals_.push_back(at + qualifiedIdOf(file) + L": " +
                                toString(number->getCurrentValue()) + L" is outside " +
                                toString(number->getMin()) + L" to " + toString(number->getMax()));
            continue;
        }
        const auto machine = machineItems.find(qualifiedIdOf(file));
        if (machine == machineItems.end()) {
            refusals_.push_back(at + qualifiedIdOf(file) + L": no such setting on this machine");
            continue;
        }
        settings_.push_back({machine->second, &file, differ(*machine->second, file)});
    }
    // In the order of the file, which is how its author reads it.
    std::stable_sort(refusals_.begin(), refusals_.end(), [](const auto& a, const auto& b) {
        return std::stoi(a.substr(5)) < std::stoi(b.substr(5));
    });
}

std::wstring SettingsFile::valueText(const Item& item) {
    return inherits(item) ? L"inherited" : valueTextsOf(item).current;
}

void SettingsFile::takeValue(Item& item, const Item& from) {
    if (auto* inheritable = dynamic_cast<Inheritable*>(&item);
        inheritable != nullptr && inheritable->canInherit()) {
        inheritable->setInherited(inherits(from));
        if (inherits(from)) return;
    }
    if (auto* check = dynamic_cast<CheckItem*>(&item)) {
        check->setCurrentState(dynamic_cast<const CheckItem&>(from).getCurrentState());
    } else if (auto* number = dynamic_cast<ValueItem*>(&item)) {
        number->setCurrentValue(dynamic_cast<const ValueItem&>(from).getCurrentValue());
    } else if (auto* toggle = dynamic_cast<ToggleItem*>(&item)) {
        toggle->setCurrentIndex(dynamic_cast<const ToggleItem&>(from).getCurrentIndex());
    } else if (auto* bits = dynamic_cast<BitValueItem*>(&item)) {
        bits->setCurrentValue(dynamic_cast<const BitValueItem&>(from).getCurrentValue());
    }
}
