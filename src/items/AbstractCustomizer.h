#pragma once

#include <string>

#include "items/Customizer.h"

// Holds the id, name and help texts; the short help is each kind's own.
class AbstractCustomizer : public virtual Customizer {
public:
    const std::wstring& getId() const override { return id_; }
    void setId(const std::wstring& id) override { id_ = id; }
    const std::wstring& getName() const override { return name_; }
    void setName(const std::wstring& name) override { name_ = name; }
    const std::wstring& getHelp() const override { return help_; }
    void setHelp(const std::wstring& help) override { help_ = help; }

private:
    std::wstring id_;
    std::wstring name_;
    std::wstring help_;
};
