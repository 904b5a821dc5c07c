#pragma once

#include <string>

#include "core/Constants.h"
#include "items/Inheritable.h"
#include "items/Item.h"

namespace xml {
class Element;
}

// A TCP/IP setting that exists system-wide and once per network interface.
// The system-wide item, built from its definition, is copied for every
// interface; a copy made with <inherit/> may hold no value of its own and
// then follows the item it was copied from.
class NICParameterItem : public virtual Item, public Inheritable {
public:
    static constexpr const wchar_t* GLOBAL_ONLY = L"globalOnly";
    static constexpr const wchar_t* INTERFACES_ONLY = L"interfacesOnly";

    // A copy bound to the interface's key, configured with the definition's
    // <interfaces> parameters. Only while the definition document exists:
    // the copy reads those parameters from it.
    virtual Item* createInterfaceCopy(const std::wstring& interfaceKeyPath) = 0;
    // NULL_STRING when the definition gave no <select>.
    virtual const std::wstring& getSelect() const { return select_; }

    bool canInherit() const override { return canInherit_; }
    Item* getInheritee() const override { return inheritee_; }
    bool isInherited() const override { return currentInherited_; }

protected:
    // Reads select, interfaces and inherit. An inherit anywhere but inside
    // <interfaces> is refused: without an item to inherit from it could only
    // leave the value unset.
    void readNICParameters(const xml::Element& params);
    // Whether the definition asked the copy being configured to inherit.
    bool inheritRequested() const { return inheritRequested_; }
    // The parameters for the copies, or null.
    const xml::Element* getInterfacesElement() const { return interfaces_; }
    void setInheritee(Item* inheritee) { inheritee_ = inheritee; }
    void setCanInherit() { canInherit_ = true; }
    bool isStoredInherited() const { return storedInherited_; }
    void setStoredInherited(bool inherited) { storedInherited_ = inherited; }
    void setCurrentInherited(bool inherited) { currentInherited_ = inherited; }
    // False also when the key cannot be read: the value is then not there
    // for the system either.
    static bool hasOwnValue(const std::wstring& keyPath, const std::wstring& valueName);

private:
    std::wstring select_ = NULL_STRING;
    const xml::Element* interfaces_ = nullptr;
    bool canInherit_ = false;
    Item* inheritee_ = nullptr;
    bool storedInherited_ = false;
    bool currentInherited_ = false;
    bool inheritRequested_ = false;
};
