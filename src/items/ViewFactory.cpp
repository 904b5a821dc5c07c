#include "items/ViewFactory.h"

#include "core/Exception.h"

namespace {
ViewFactory* installedFactory = nullptr;
}

void ViewFactory::install(ViewFactory* factory) { installedFactory = factory; }

ViewFactory& ViewFactory::installed() {
    if (installedFactory == nullptr) throw Exception(L"no item view factory is installed");
    return *installedFactory;
}
