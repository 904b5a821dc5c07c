#pragma once

#include <memory>
#include <string>
#include <vector>

#include "awt/Button.h"
#include "awt/Panel.h"

class ExecItem;

// A launcher as a row of buttons, one per target in the order of their
// names. A target that cannot be opened is told in a message box.
class ExecItemView : public awt::Panel {
public:
    class Executioner : public awt::ActionListener {
    public:
        Executioner(ExecItemView& view, const std::wstring& path) : view_(view), path_(path) {}
        void actionPerformed(awt::ActionEvent& event) override;

    private:
        ExecItemView& view_;
        std::wstring path_;
    };

    explicit ExecItemView(ExecItem& item);

private:
    // Declared before the buttons, which hold them, so that they outlive them.
    std::vector<std::unique_ptr<Executioner>> executioners_;
    std::vector<std::unique_ptr<awt::Button>> buttons_;
};
