// Opens a text area in a frame, as the program's help does, and ends: exit
// code 0 when it was shown, 1 when it failed. The first argument is
// "restricted" to start as every executable of the program does, anything
// else to start without that; a second argument "bare" loads the rich edit
// library by its bare name instead of opening a text area.
#include <windows.h>

#include <cstring>

#include "awt/Frame.h"
#include "awt/SharedLayouts.h"
#include "awt/TextArea.h"
#include "awt/Toolkit.h"
#include "core/Exception.h"
#include "core/Platform.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "restricted") == 0) restrictDllSearchToSystem();
    if (argc > 2 && std::strcmp(argv[2], "bare") == 0) return LoadLibraryW(L"riched20.dll") ? 0 : 1;
    try {
        awt::Toolkit::setInstance(GetModuleHandleW(nullptr));
        awt::SharedLayouts::create();
        awt::Frame frame(L"velmora text area probe");
        awt::TextArea area(L"probe", 4, 30);
        frame.add(&area);
        frame.setBounds(100, 100, 300, 200);
        frame.setVisible(true);
        const bool shown = area.getHandle() != nullptr;
        frame.dispose();
        return shown ? 0 : 1;
    } catch (const Exception&) {
        return 1;
    }
}
