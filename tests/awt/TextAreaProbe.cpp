// Ends with exit code 0 once it has shown a text area in a frame, as the
// program's help does. With "restricted" first it starts as every executable
// of the program does; with "bare" second it only loads the rich edit library
// by its bare name.
#include <windows.h>

#include <string>

#include "awt/Frame.h"
#include "awt/SharedLayouts.h"
#include "awt/TextArea.h"
#include "awt/Toolkit.h"
#include "core/Platform.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "restricted") restrictDllSearchToSystem();
    if (argc > 2 && std::string(argv[2]) == "bare") return LoadLibraryW(L"riched20.dll") ? 0 : 1;
    awt::Toolkit::setInstance(GetModuleHandleW(nullptr));
    awt::SharedLayouts::create();
    awt::Frame frame(L"velmora text area probe");
    awt::TextArea area(L"probe", 4, 30);
    frame.add(&area);
    frame.setVisible(true);
    return area.getHandle() != nullptr ? 0 : 1;
}
