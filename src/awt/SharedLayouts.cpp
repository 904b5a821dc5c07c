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

void SharedLayouts::create() {
    flowLayout();
    gridLayout();
    gridFlowLayout();
}

// Created on first use, should that come before create, and never freed:
// containers may use them up to the very end of the process.
FlowLayout& SharedLayouts::flowLayout() {
    static auto* layout = new FlowLayout(FlowLayout::LEFT);
    return *layout;
}

GridLayout& SharedLayouts::gridLayout() {
    static auto* layout = new GridLayout(0, 1);
    return *layout;
}

GridFlowLayout& SharedLayouts::gridFlowLayout() {
    static GridFlowLayout* layout = [] {
        auto* created = new GridFlowLayout(0, 2);
        created->setHorizontalAlignment(GridFlowLayout::LEFT);
        created->setCellVerticalAlignment(GridFlowLayout::CENTER);
        return created;
    }();
    return *layout;
}

}  // namespace awt
