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
// Every path comes from a definition file or the registry and is started
// with our rights, so only absolute paths become targets, and they are
// opened by the shell directly: no command interpreter re-reads them.
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
    const std::wstring& getShortHelp() const override { return NULL_STRING; }

    // Opens the path with the shell's "open" verb. Throws IOException
    // "ShellExecuteEx(" + path + ") failed: " + code for a path that is not
    // absolute or that the shell cannot open.
    static void open(const std::wstring& path);

private:
    void addFile(const xml::Node& target);
    void addFromRegistry(const xml::Node& target);
    void addFromDirectory(const xml::Node& target);

    Targets targets_;
};
