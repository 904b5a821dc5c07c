#include "awt/SharedLayouts.h"

namespace awt {

namespace {

// Constant-initialised, so they exist before any other static object of the
// program can make a container.
constinit NullLayout sharedNullLayout;
constinit FitLayout sharedFitLayout;

}  // namespace

NullLayout& SharedLayouts::nullLayout() { return sharedNullLayout; }

FitLayout& SharedLayouts::fitLayout() { return sharedFitLayout; }

}  // namespace awt
