// velmora's entry: start-up, the message loop, and the one box that reports
// a failed start.

#include <windows.h>

#include <objbase.h>

#include <exception>
#include <memory>

#include "app/CommandLine.h"
#include "app/Velmora.h"
#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"
#include "config/ClassTable.h"
#include "core/Constants.h"
#include "core/Exception.h"
#include "views/ItemViewFactory.h"

namespace {

constexpr UINT ERROR_BOX = MB_TASKMODAL | MB_ICONERROR;

void showError(const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), programName.c_str(), ERROR_BOX);
}

// A standard exception carries narrow text only, shown as it is.
void showError(const std::exception& e) { MessageBoxA(nullptr, e.what(), "velmora", ERROR_BOX); }

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (FAILED(CoInitialize(nullptr))) {
        showError(L"CoInitialize() failed");
        return 1;
    }
    awt::Toolkit::setInstance(instance);
    awt::SharedLayouts::create();
    ClassTable::registerClasses();
    installItemViews();

    std::unique_ptr<Velmora> window;
    try {
        window = std::make_unique<Velmora>(CommandLine::processArguments());
        window->setVisible(true);
    } catch (const Exception& e) {
        showError(e.getMessage());
        return 1;
    } catch (const std::exception& e) {
        showError(e);
        return 1;
    }

    int exitCode = 1;
    // An error that escapes an event handler would otherwise end the process
    // without a word; it is shown, and the program ends as after a failed
    // start, with nothing more written.
    try {
        exitCode = awt::Toolkit::getDefaultToolkit().run();
    } catch (const Exception& e) {
        showError(e.getMessage());
    } catch (const std::exception& e) {
        showError(e);
    }
    window.reset();
    CoUninitialize();
    return exitCode;
}
