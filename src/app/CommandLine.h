#pragma once

#include <string>
#include <vector>

// The program's arguments: "/items <directory>" and nothing else. Shared by
// the main window and the catalogue reader, so both read the same catalogue
// from the same command line.
class CommandLine {
public:
    static inline const std::wstring DEFAULT_ITEMS_DIRECTORY = L"items";

    // The arguments after the program path. Throws ConfigException
    // "invalid argument: " + ... for an unknown option or a stray value, and
    // "/items needs to specify the directory" for "/items" without a value.
    explicit CommandLine(const std::vector<std::wstring>& arguments);

    const std::wstring& getItemsDirectory() const { return itemsDirectory_; }

    // This process's arguments after the program path; throws Exception when
    // the command line cannot be split.
    static std::vector<std::wstring> processArguments();

private:
    void applyOption(const std::wstring& name, const std::wstring& value);

    std::wstring itemsDirectory_ = DEFAULT_ITEMS_DIRECTORY;
};
