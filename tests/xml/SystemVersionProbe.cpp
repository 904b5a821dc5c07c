// Prints what detection finds in the process it runs in, for a test that
// starts it under several Windows versions (a process learns its version when
// it starts): product type, version, service pack and build, then what the fallback
// for old systems makes of the registry and the service pack text, then
// whether an element for Windows 10 and later is kept.
#include <windows.h>

#include <cstdio>

#include "core/Exception.h"
#include "xml/VersionDependedDocumentBuilder.h"

int main() {
    try {
        const xml::SystemVersion system = xml::SystemVersion::detect();
        OSVERSIONINFOW plain{sizeof plain};
        GetVersionExW(&plain);
        xml::Document document;
        xml::VersionDependedDocumentBuilder builder(&document);
        builder.startElement(L"e", {{L"productVersion", L">= 10.0"}});
        std::printf("%d %04x %04x %d %d %04x %d\n", system.productType, system.productVersion,
                    system.servicePackVersion, system.build,
                    xml::SystemVersion::productTypeFromRegistry(),
                    xml::SystemVersion::servicePackOf(plain.szCSDVersion),
                    document.getChildCount());
    } catch (const Exception& e) {
        std::printf("error: %ls\n", e.getMessage().c_str());
    }
}
