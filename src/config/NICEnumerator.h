#pragma once

#include <map>
#include <string>
#include <vector>

#include "config/ItemGroupSelector.h"
#include "core/Constants.h"

// The network adapter category: the system-wide TCP/IP settings and those
// of every installed adapter, one key each. The definition names the
// registry paths, so the enumerator knows none of its own.
class NICEnumerator : public ItemGroupSelector {
public:
    // The system-wide entry's id. The control character keeps it apart from
    // every adapter id, which the enumeration refuses to hold one.
    static const std::wstring GLOBAL_ID;

    // Builds one group per key: the system-wide key gets the items as
    // defined, every adapter key copies of the adapter items bound to its
    // interface. The group handed in is not kept.
    void addItemGroup(ItemGroup* group) override;
    // Reads the parameters, then lists the adapters.
    void configure(const xml::Element& params) override;

    const std::vector<std::wstring>& getKeys() const override { return keys_; }
    const std::wstring& getKeyName(const std::wstring& key) const override;
    const std::wstring& getSelectorLabel() const override { return label_; }
    const std::vector<ItemGroup*>& getItemGroupsFor(const std::wstring& key) const override;

private:
    struct Entry {
        std::wstring id;
        std::wstring name;
        std::wstring keyPath;
        std::vector<ItemGroup*> itemGroups;
    };

    void addEntry(Entry entry);
    void enumerateAdapters();
    // Throws RegKeyException when the adapter cannot be used.
    void addAdapter(const std::wstring& subKeyName);
    const Entry& entryOf(const std::wstring& key) const;

    std::wstring label_;
    std::wstring adapterKey_ = NULL_STRING;
    std::wstring idValueName_ = NULL_STRING;
    std::vector<std::wstring> nameValueNames_;
    std::wstring interfacesKey_ = NULL_STRING;
    std::vector<std::wstring> keys_;
    std::map<std::wstring, Entry> entries_;
};
