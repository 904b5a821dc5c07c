#include "views/ExecItemView.h"

#include <windows.h>

#include "awt/SharedLayouts.h"
#include "awt/Window.h"
#include "core/Constants.h"
#include "core/Exception.h"
#include "items/ExecItem.h"
#include "views/ViewSupport.h"

ExecItemView::ExecItemView(ExecItem& item) {
    setLayout(&awt::SharedLayouts::flowLayout());
    for (const auto& [name, path] : item.getTargets()) {
        executioners_.push_back(std::make_unique<Executioner>(*this, path));
        buttons_.push_back(std::make_unique<awt::Button>(name));
        buttons_.back()->addActionListener(executioners_.back().get());
        add(buttons_.back().get(), &views::inRow);
    }
}

void ExecItemView::Executioner::actionPerformed(awt::ActionEvent&) {
    try {
        ExecItem::open(path_);
    } catch (const IOException&) {
        awt::Window* window = view_.getEnclosingWindow();
        const std::wstring text = path_ + L" を起動できませんでした。";
        MessageBoxW(window != nullptr ? window->getHandle() : nullptr, text.c_str(),
                    programName.c_str(), MB_ICONEXCLAMATION | MB_OK);
    }
}
