#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// velmora-dump's arguments: velmora's own "/items <directory>", and
// "/export <file>" with an optional "/target system|user|all". Kept apart
// from the program's CommandLine, which takes /items alone: the window has
// no use for an export, and must keep refusing one.
class DumpOptions {
public:
    // The arguments after the program path, read with CommandLine's rules: an
    // option starts with '/', an empty argument is a value, names are matched
    // exactly. Throws ConfigException for an unknown option or a stray value
    // (CommandLine's messages), an option without its value, an option given
    // twice (/items too, of which velmora takes the last), a /target word
    // other than system, user or all, and /target without /export.
    DumpOptions(const std::vector<std::wstring>& arguments,
                const std::wstring& defaultItemsDirectory);

    const std::wstring& getItemsDirectory() const { return itemsDirectory_; }
    // Empty when the catalogue is to be printed rather than exported.
    const std::wstring& getExportFile() const { return exportFile_; }
    // The target filter mask of the window's choice (AffectTarget).
    uint32_t getTargetFilter() const { return targetFilter_; }

private:
    void apply(const std::vector<std::wstring>& option);

    std::wstring itemsDirectory_;
    std::wstring exportFile_;
    uint32_t targetFilter_;
    std::set<std::wstring> given_;
};
