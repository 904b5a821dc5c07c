// velmora-dump: loads the catalogue as the main window does and prints it as
// UTF-8 text (see CatalogueDump.h); with /export writes the settings that
// differ from their defaults to a registry script (see CatalogueExport.h);
// with /check or /apply holds the machine against such a file (see
// CheckCommand.h, ApplyCommand.h). Exit code 0, or 1 with the error's message
// on standard error; /check and /apply have codes of their own, and end with
// 2 when they cannot run.

#include <windows.h>

#include <exception>
#include <string>

#include "app/ApplyCommand.h"
#include "app/CatalogueDump.h"
#include "app/CatalogueExport.h"
#include "app/CheckCommand.h"
#include "app/CommandLine.h"
#include "app/DumpOptions.h"
#include "config/ClassTable.h"
#include "config/DefinitionLoader.h"
#include "core/Exception.h"
#include "core/Platform.h"
#include "core/StringUtil.h"
#include "xml/SystemVersion.h"

namespace {

// Whole bytes through the handle: the C runtime's text mode would turn each
// line feed into CR LF and its narrow streams know no UTF-8.
void writeUtf8(DWORD stdHandle, const std::wstring& text) {
    writeStandard(stdHandle, toUtf8(text));
}

std::wstring widen(const char* text) {
    const std::string narrow(text);
    return std::wstring(narrow.begin(), narrow.end());
}

// Elevated, a command on a settings file changes the machine with an
// administrator's rights from a catalogue that names programs to start and
// keys to write: only the program's own, never one that the current
// directory, which the user's other processes can write, puts in its way.
std::wstring itemsDirectoryFor(const DumpOptions& options) {
    if (!options.getItemsDirectory().empty()) return options.getItemsDirectory();
    const bool onFile = options.getCommand() == DumpOptions::Command::CHECK ||
                        options.getCommand() == DumpOptions::Command::APPLY;
    if (onFile && isElevated())
        return joinPath(executableFolder(), CommandLine::DEFAULT_ITEMS_DIRECTORY);
    return CommandLine::defaultItemsDirectory();
}

int run(const DumpOptions& options) {
    const std::wstring items = itemsDirectoryFor(options);
    const std::wstring& file = options.getFile();
    const uint32_t filter = options.getTargetFilter();
    CommandOutput output{L"", L"", 0};
    switch (options.getCommand()) {
        case DumpOptions::Command::USAGE:
            output.lines = DumpOptions::usage();
            break;
        case DumpOptions::Command::CHECK:
            output = CheckCommand::run(file, items, filter);
            break;
        case DumpOptions::Command::APPLY:
            output = ApplyCommand::run(file, items, filter);
            break;
        case DumpOptions::Command::EXPORT:
        case DumpOptions::Command::DUMP: {
            DefinitionLoader loader(items);
            loader.loadAll();
            if (options.getCommand() == DumpOptions::Command::EXPORT) {
                exportCatalogue(loader.getCategories(), filter, file);
            } else {
                output.lines = dumpSystem(xml::SystemVersion::detect()) +
                               dumpCatalogue(loader.getCategories());
            }
            break;
        }
    }
    writeUtf8(STD_OUTPUT_HANDLE, output.lines);
    writeUtf8(STD_ERROR_HANDLE, output.errors);
    return output.exitCode;
}

}  // namespace

int main() {
    restrictDllSearchToSystem();
    int failure = 1;
    try {
        const std::vector<std::wstring> arguments = CommandLine::processArguments();
        // A script reads 1 from /check as a setting that differs.
        if (DumpOptions::namesSettingsCommand(arguments)) failure = ApplyCommand::REFUSED;
        ClassTable::registerClasses();
        return run(DumpOptions(arguments));
    } catch (const Exception& e) {
        writeUtf8(STD_ERROR_HANDLE, e.getMessage() + L"\n");
    } catch (const std::exception& e) {
        writeUtf8(STD_ERROR_HANDLE, widen(e.what()) + L"\n");
    }
    return failure;
}
