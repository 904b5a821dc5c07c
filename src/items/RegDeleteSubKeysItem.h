#pragma once

#include <set>
#include <string>

#include "core/GuardedFolder.h"
#include "items/AbstractRegCheckItem.h"

// A key cleaned of every sub-key but the kept ones. Checking writes the whole
// key to a backup file and then deletes the others; unchecking imports the
// backup again. A key found clean with no backup to go back to is frozen:
// its view cannot be changed and applying does nothing.
class RegDeleteSubKeysItem : public AbstractRegCheckItem {
public:
    void configure(const xml::Element& params) override;
    awt::Component* createView() override;
    // A frozen item changes nothing.
    bool isChanged() const override { return !noBackup_ && AbstractRegCheckItem::isChanged(); }
    // The key's whole tree: cleaning deletes sub-keys, restoring brings
    // back those of the backup.
    void storePriorState(RegistryStorage& storage) override;

    bool isFrozen() const { return noBackup_; }
    // Absolute, with ".reg" at its end. Named without a folder, the backup is
    // kept beside the program; elevated, only where no process of the user
    // without elevation can write (see backupFolder).
    const std::wstring& getBackupPath() const { return backupPath_; }

protected:
    // Throws ConfigException without a backup parameter.
    void readParameters(const xml::Element& params) override;
    void deriveDefault() override { initDefaultState(false); }
    // Throws RegKeyException for a key that exists but cannot be read: it is
    // never taken for a clean one.
    void load() override;
    // Cleaning throws RegKeyException "delete sub key: " + name, with nothing
    // deleted, when a sub-key to delete has sub-keys of its own; restoring
    // throws IOException when the key is still clean after the import.
    void commit() override;
    bool readState(RegKey& key) override;
    void writeState(RegKey&, bool) override {}
    // The key is deleted and made again with its own values and the whole
    // trees of the kept sub-keys, under their real names.
    void storeTo(RegistryStorage& storage) override;

private:
    bool isKept(const std::wstring& name) const;
    void clean();
    void restore();

    std::set<std::wstring> keptNames_;
    bool noBackup_ = false;
    bool keyMissing_ = false;
    std::wstring backupPath_;
    KeptFolder backupFolder_;
};
