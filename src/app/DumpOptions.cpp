#include "app/DumpOptions.h"

#include "app/CommandLine.h"
#include "core/Exception.h"
#include "items/Targets.h"

namespace {

bool isOption(const std::wstring& argument) { return !argument.empty() && argument[0] == L'/'; }

uint32_t targetNamed(const std::wstring& word) {
    if (word == L"system") return AffectTarget::SYSTEM;
    if (word == L"user") return AffectTarget::USER;
    if (word == L"all") return AffectTarget::ALL;
    throw ConfigException(L"/target needs to specify system, user or all");
}

}  // namespace

DumpOptions::DumpOptions(const std::vector<std::wstring>& arguments,
                         const std::wstring& defaultItemsDirectory)
    : itemsDirectory_(defaultItemsDirectory), targetFilter_(AffectTarget::ALL) {
    // Split as CommandLine splits: each option with the value after it, if
    // one follows; a value with no option before it stands alone.
    std::vector<std::wstring> pending;
    for (const std::wstring& argument : arguments) {
        if (isOption(argument)) {
            if (!pending.empty()) apply(pending);
            pending = {argument};
        } else {
            pending.push_back(argument);
            apply(pending);
            pending.clear();
        }
    }
    if (!pending.empty()) apply(pending);
    if (exportFile_.empty() && given_.contains(L"/target"))
        throw ConfigException(L"/target needs /export");
}

void DumpOptions::apply(const std::vector<std::wstring>& option) {
    const std::wstring& name = option.front();
    const std::wstring value = option.size() == 2 ? option.back() : L"";
    if (isOption(name)) {
        // Which of two would win is a guess a file written for other
        // machines must not rest on.
        if (!given_.insert(name).second) throw ConfigException(name + L" given twice");
    }
    if (name == L"/export") {
        if (value.empty()) throw ConfigException(L"/export needs to specify the file");
        exportFile_ = value;
    } else if (name == L"/target") {
        targetFilter_ = targetNamed(value);
    } else {
        // /items, an unknown option or a stray value: velmora's own rules
        // and messages.
        itemsDirectory_ = CommandLine(option, itemsDirectory_).getItemsDirectory();
    }
}
