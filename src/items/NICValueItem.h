#pragma once

#include "items/NICParameterItem.h"
#include "items/PropertyChangeListener.h"
#include "items/RegValueItem.h"

// A numeric TCP/IP setting, system-wide or per interface.
class NICValueItem : public RegValueItem, public NICParameterItem {
public:
    class InheriteeListener : public PropertyChangeListener {
    public:
        explicit InheriteeListener(NICValueItem& item) : item_(item) {}
        void propertyChanged(const PropertyChangeEvent& event) override;

    private:
        NICValueItem& item_;
    };

    NICValueItem() = default;

    Item* createInterfaceCopy(const std::wstring& interfaceKeyPath) override;
    void setInherited(bool inherited) override;
    void setToDefault() override;
    void apply() override;
    void revert() override;

protected:
    NICValueItem(const NICValueItem&) = default;

    // Leaves the interface to the system-wide value.
    virtual void deleteOwnValue();
    void enableInheritance();
    // The default, and an inheriting current value, follow the system-wide
    // item's current value.
    void updateFromInheritee();

    void readParameters(const xml::Element& params) override;
    void load() override;
    void commit() override;
    void storeTo(RegistryStorage& storage) override;
};
