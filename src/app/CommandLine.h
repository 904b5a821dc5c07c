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
    // An empty argument is a value, never an option. defaultItemsDirectory
    // is kept when no "/items" is given.
    explicit CommandLine(const std::vector<std::wstring>& arguments,
                         const std::wstring& defaultItemsDirectory = DEFAULT_ITEMS_DIRECTORY);

    const std::wstring& getItemsDirectory() const { return itemsDirectory_; }

    // This process's arguments after the program path; throws Exception when
    // the command line cannot be split.
    static std::vector<std::wstring> processArguments();

    // Where the default items directory and the icon are looked for: the
    // folder of this executable, unless it holds no "items" directory and
    // the current directory (the empty path) does. A catalogue is close to
    // code: it names programs to start and files to import, so one from a
    // folder that others can write must never win over the program's own.
    static std::wstring resourceFolder();
    // DEFAULT_ITEMS_DIRECTORY inside resourceFolder().
    static std::wstring defaultItemsDirectory();

private:
    void applyOption(const std::wstring& name, const std::wstring& value);

    std::wstring itemsDirectory_;
};
