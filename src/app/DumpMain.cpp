// velmora-dump: loads the catalogue as the main window does and prints it as
// UTF-8 text (see CatalogueDump.h), or with /export writes the settings that
// differ from their defaults to a registry script (see CatalogueExport.h).
// Exit code 0, or 1 with the error's message on standard error.

#include <windows.h>

#include <exception>
#include <string>

#include "app/CatalogueDump.h"
#include "app/CatalogueExport.h"
#include "app/CommandLine.h"
#include "app/DumpOptions.h"
#include "config/ClassTable.h"
#include "config/DefinitionLoader.h"
#include "core/Exception.h"
#include "core/Platform.h"
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

}  // namespace

int main() {
    restrictDllSearchToSystem();
    try {
        ClassTable::registerClasses();
        const DumpOptions options(CommandLine::processArguments(),
                                  CommandLine::defaultItemsDirectory());
        DefinitionLoader loader(options.getItemsDirectory());
        loader.loadAll();
        if (options.getExportFile().empty()) {
            writeUtf8(STD_OUTPUT_HANDLE, dumpSystem(xml::SystemVersion::detect()) +
                                             dumpCatalogue(loader.getCategories()));
        } else {
            exportCatalogue(loader.getCategories(), options.getTargetFilter(),
                            options.getExportFile());
        }
        return 0;
    } catch (const Exception& e) {
        writeUtf8(STD_ERROR_HANDLE, e.getMessage() + L"\n");
    } catch (const std::exception& e) {
        writeUtf8(STD_ERROR_HANDLE, widen(e.what()) + L"\n");
    }
    return 1;
}
