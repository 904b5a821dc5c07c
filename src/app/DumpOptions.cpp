#include "app/DumpOptions.h"

#include <algorithm>

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

struct FileCommand {
    const wchar_t* option;
    DumpOptions::Command command;
};
const FileCommand fileCommands[] = {{L"/export", DumpOptions::Command::EXPORT},
                                    {L"/check", DumpOptions::Command::CHECK},
                                    {L"/apply", DumpOptions::Command::APPLY}};

}  // namespace

DumpOptions::DumpOptions(const std::vector<std::wstring>& arguments)
    : targetFilter_(AffectTarget::ALL) {
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
    if (file_.empty() && given_.contains(L"/target"))
        throw ConfigException(L"/target needs /export, /check or /apply");
}

bool DumpOptions::namesSettingsCommand(const std::vector<std::wstring>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const std::wstring& argument) {
        return argument == L"/check" || argument == L"/apply";
    });
}

void DumpOptions::apply(const std::vector<std::wstring>& option) {
    const std::wstring& name = option.front();
    const std::wstring value = option.size() == 2 ? option.back() : L"";
    if (isOption(name)) {
        // Which of two would win is a guess a file written for other
        // machines must not rest on.
        if (!given_.insert(name).second) throw ConfigException(name + L" given twice");
    }
    for (const FileCommand& command : fileCommands) {
        if (name != command.option) continue;
        if (value.empty()) throw ConfigException(name + L" needs to specify the file");
        if (command_ != Command::DUMP)
            throw ConfigException(L"only one of /export, /check, /apply and /? may be given");
        command_ = command.command;
        file_ = value;
        return;
    }
    if (name == L"/?") {
        if (command_ != Command::DUMP || !value.empty())
            throw ConfigException(L"/? takes nothing else");
        command_ = Command::USAGE;
    } else if (name == L"/target") {
        targetFilter_ = targetNamed(value);
    } else {
        // /items, an unknown option or a stray value: velmora's own rules
        // and messages.
        itemsDirectory_ = CommandLine(option, L"").getItemsDirectory();
    }
}

const wchar_t* DumpOptions::usage() {
    return L"velmora-dump [/items <directory>]\n"
           L"    prints the catalogue, one line per category, group and setting\n"
           L"velmora-dump [/items <directory>] /export <file> [/target system|user|all]\n"
           L"    writes the settings off their defaults as a registry script\n"
           L"velmora-dump [/items <directory>] /check <file> [/target system|user|all]\n"
           L"    lists the settings whose value differs from the file's; exit code 0 when\n"
           L"    all match, 1 when any differs, 2 when the file cannot be used\n"
           L"velmora-dump [/items <directory>] /apply <file> [/target system|user|all]\n"
           L"    applies the file's settings after saving an undo file; exit code 0 when\n"
           L"    done, 1 when a setting failed, 2 when nothing was applied, 3 when a log-off\n"
           L"    is due, 3010 when a restart is due\n";
}
