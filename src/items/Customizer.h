#pragma once

#include <string>

// Identity and help texts of anything shown in the catalogue: items,
// categories and item groups.
class Customizer {
public:
    virtual ~Customizer() = default;

    virtual const std::wstring& getId() const = 0;
    virtual void setId(const std::wstring& id) = 0;
    virtual const std::wstring& getName() const = 0;
    virtual void setName(const std::wstring& name) = 0;
    virtual const std::wstring& getHelp() const = 0;
    virtual void setHelp(const std::wstring& help) = 0;
    virtual const std::wstring& getShortHelp() const = 0;
};
