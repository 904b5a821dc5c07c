// Ends with exit code 0 once it has shown a tree and a text area in a frame,
// as the program's window does. With "restricted" first it starts as every
// executable of the program does; with "bare NAME" after that it only loads
// the library NAME by its bare name.
#include <windows.h>

#include <string>

#include "awt/Frame.h"
#include "awt/SharedLayouts.h"
#include "awt/TextArea.h"
#include "awt/Toolkit.h"
#include "awt/Tree.h"
#include "core/Platform.h"

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"restricted") restrictDllSearchToSystem();
    if (argc > 3 && std::wstring(argv[2]) == L"bare") return LoadLibraryW(argv[3]) ? 0 : 1;
    awt::Toolkit::setInstance(GetModuleHandleW(nullptr));
    awt::SharedLayouts::create();
    awt::Frame frame(L"velmora library probe");
    awt::Tree tree;
    tree.addNode(tree.getRoot(), L"probe", nullptr);
    awt::TextArea area(L"probe", 4, 30);
    frame.add(&tree);
    frame.add(&area);
    frame.setVisible(true);
    return tree.getHandle() != nullptr && area.getHandle() != nullptr ? 0 : 1;
}
