#pragma once

#include <map>
#include <string>

#include "core/Constants.h"
#include "items/AbstractItem.h"

namespace xml {
class Node;
}

// Launch buttons for programs and documents, found through a path, through
// a directory named in the registry, or by listing a directory. Not a
// setting: it holds no value and changes nothing on apply.
//
// Every path comes from a definition file or the machine's registry and is
// started with our rights, so it is found without the environment, the
// current directory or PATH: variables are the system's own, a bare name is
// looked for in the system folders, and a directory is listed for files of
// its own only. No command interpreter re-reads a path.
class ExecItem : public AbstractItem {
public:
    // Display name to absolute path, in code-unit order of the names.
    using Targets = std::map<std::wstring, std::wstring>;

    const Targets& getTargets() const { return targets_; }

    void configure(const xml::Element& params) override;
    awt::Component* createView() override;
    void setToDefault() override {}
    void apply() override {}
    void revert() override {}
    void store(SaveTarget&) override {}
    void storePriorState(RegistryStorage&) override {}
    const std::wstring& getShortHelp() const override { return NULL_STRING; }

    // Opens the path as openFile does, elevated or not as this process is.
    // Throws IOException for a path that is not absolute or cannot be opened.
    static void open(const std::wstring& path);

private:
    void addFile(const xml::Node& target);
    void addFromRegistry(const xml::Node& target);
    void addFromDirectory(const xml::Node& target);

    Targets targets_;
};
