#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// velmora-dump's arguments: velmora's own "/items <directory>", one command
// on a file ("/export", "/check" or "/apply" with the file) with an optional
// "/target system|user|all", or "/?". Kept apart from the program's
// CommandLine, which takes /items alone: the window has no use for these,
// and must keep refusing them.
class DumpOptions {
public:
    enum class Command { DUMP, EXPORT, CHECK, APPLY, USAGE };

    // The arguments after the program path, read with CommandLine's rules: an
    // option starts with '/', an empty argument is a value, names are matched
    // exactly. Throws ConfigException for an unknown option or a stray value
    // (CommandLine's messages), an option without its value, an option given
    // twice (/items too, of which velmora takes the last), two commands, a
    // /target word other than system, user or all, and /target without a
    // command on a file.
    explicit DumpOptions(const std::vector<std::wstring>& arguments);

    // Whether the arguments name a command on a settings file, for the exit
    // code of a command line that cannot be read.
    static bool namesSettingsCommand(const std::vector<std::wstring>& arguments);

    Command getCommand() const { return command_; }
    // Empty when no /items was given.
    const std::wstring& getItemsDirectory() const { return itemsDirectory_; }
    // The file of /export, /check or /apply.
    const std::wstring& getFile() const { return file_; }
    // The target filter mask of the window's choice (AffectTarget).
    uint32_t getTargetFilter() const { return targetFilter_; }

    // The text /? prints.
    static const wchar_t* usage();

private:
    void apply(const std::vector<std::wstring>& option);

    Command command_ = Command::DUMP;
    std::wstring itemsDirectory_;
    std::wstring file_;
    uint32_t targetFilter_;
    std::set<std::wstring> given_;
};
