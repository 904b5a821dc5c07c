#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <string>

// Registry changes collected per key and written as a registry script, the
// "Windows Registry Editor Version 5.00" file that the registry editor
// imports: for saving settings to a file, and for backups of key trees that
// are imported again later. Paths and value names are matched with their
// ASCII letters folded, as the registry matches them; the file lists keys
// and values in that folded order.
class RegistryStorage {
public:
    class Key;
    class DeleteKey;
    class Value;
    class DWORDValue;
    class SZValue;
    class AbstractHexValue;
    class BINARYValue;
    class HexStringValue;
    class EXPAND_SZValue;
    class MULTI_SZValue;
    class RawValue;
    class DeleteValue;

    // save() writes to filePath, with ".reg" appended unless it ends so.
    explicit RegistryStorage(const std::wstring& filePath);
    ~RegistryStorage();
    RegistryStorage(const RegistryStorage&) = delete;
    RegistryStorage& operator=(const RegistryStorage&) = delete;

    // The entry of a key to set values in, made when there is none. A key
    // to be deleted takes deletions of its values and throws ConfigException
    // "conflict set and delete: " + path at any value set in it.
    Key& getKey(const std::wstring& path);
    // Records the deletion of a key with everything below it, which replaces
    // deletions of its values. Throws ConfigException "conflict set and
    // delete: " + path when values are set in it.
    void deleteKey(const std::wstring& path);
    bool isEmpty() const { return keys_.empty(); }

    // Throws IOException, leaving the output incomplete, for a name or path
    // that has no safe form in the file (see Key::write).
    void write(std::wostream& out) const;
    // Renders the whole file before creating it, so that a refused name
    // leaves no file behind, and replaces the file only once the new one is
    // written whole: on any failure an old file stays as it was. Throws
    // IOException.
    void save() const;
    // As save(), to exactly that file name, which must not exist yet: false,
    // with nothing written and nothing replaced, when it does.
    bool saveNew(const std::wstring& fileName) const;

    // Imports a registry script through the registry editor and returns once
    // the editor has ended. The editor reports no failure: a caller that must
    // know reads the registry back. Throws IOException.
    static void importRegFile(const std::wstring& filePath);
    // Imports a backup of the key: only a file that changes nothing outside
    // the key or below it (see regScriptRefusal). The editor reads a copy of
    // the bytes checked, made in copyFolder and removed afterwards. Throws
    // IOException naming the file, with nothing imported, for any other.
    static void importBackup(const std::wstring& filePath, const std::wstring& keyPath,
                             const std::wstring& copyFolder);

private:
    // The file's whole content, byte order mark first.
    std::wstring render() const;
    bool writeFile(const std::wstring& fileName, bool replace) const;

    std::wstring filePath_;
    std::map<std::wstring, std::unique_ptr<Key>> keys_;
    // The key asked for last, never one to be deleted; keys are never
    // removed, so it stays valid.
    Key* lastKey_ = nullptr;
};
