#pragma once

#include "items/NICParameterItem.h"
#include "items/PropertyChangeListener.h"
#include "items/RegCheckItem.h"

// An on/off TCP/IP setting, system-wide or per interface.
class NICCheckItem : public RegCheckItem, public NICParameterItem {
public:
    class InheriteeListener : public PropertyChangeListener {
    public:
        explicit InheriteeListener(NICCheckItem& item) : item_(item) {}
        void propertyChanged(const PropertyChangeEvent& event) override;

    private:
        NICCheckItem& item_;
    };

    NICCheckItem() = default;

    Item* createInterfaceCopy(const std::wstring& interfaceKeyPath) override;
    void setInherited(bool inherited) override;
    void setToDefault() override;
    void apply() override;
    void revert() override;

protected:
    NICCheckItem(const NICCheckItem&) = default;

    virtual void enableInheritance();
    // Leaves the interface to the system-wide value.
    virtual void deleteOwnValue();
    // The default, and an inheriting current state, follow the system-wide
    // item's current state.
    virtual void updateFromInheritee();

    void readParameters(const xml::Element& params) override;
    void load() override;
    void commit() override;
    void storeTo(RegistryStorage& storage) override;
};
