#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class Item;

// The benchmark's own registry key below HKEY_CURRENT_USER, which every
// synthetic item reads and writes. Made empty on construction (a run that
// was killed may have left one) and deleted with all below it on
// destruction, also when a figure fails.
class ScratchKey {
public:
    static constexpr const wchar_t* subKey = L"Software\\velmora-bench";

    ScratchKey();
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;
};

// One item of a synthetic catalogue: the value it stands for and four data
// for it, all of the same type and size. Phase 0 is what is planted before
// loading; the program, when the item is changed, writes phase 1 and 0 by
// turns; the bare side writes phase 2 and the registry editor imports phase
// 3. No side writes twice in a row, so every write changes what the
// registry holds, which the registry would otherwise skip.
struct SyntheticItem {
    enum Kind { CHECK, NUMBER, CHOICE, TEXT_CHOICE };

    Kind kind;
    std::wstring subKey;  // below HKEY_CURRENT_USER
    std::wstring valueName;
    DWORD type;
    std::vector<BYTE> data[4];
};

// Definition files (UTF-16LE with a byte order mark, as the program reads
// them) for a number of items of the common registry kinds, in groups of 15
// and categories of 4 groups, every eighth category holding the next seven.
// Each group's items are values of one key of the group's own below the
// scratch key.
class SyntheticCatalogue {
public:
    // Check boxes only, where asked, make the fewest windows an item can
    // have: the window's own figures use them, since a window holds only
    // so many windows and the mixed kinds reach that at 1,300 items.
    SyntheticCatalogue(const std::wstring& directory, size_t itemCount, bool checksOnly = false);
    // Removes the files and the registry values again: a registry kept
    // small is read and saved the faster, for every figure after.
    ~SyntheticCatalogue();
    SyntheticCatalogue(const SyntheticCatalogue&) = delete;
    SyntheticCatalogue& operator=(const SyntheticCatalogue&) = delete;

    const std::wstring& getDirectory() const { return directory_; }
    // In catalogue order; an item's id is "i" and its index here.
    const std::vector<SyntheticItem>& getItems() const { return items_; }
    bool isChecksOnly() const { return checksOnly_; }
    size_t getFileBytes() const { return fileBytes_; }

    // Writes every item's value with its phase 0 data.
    void plant() const;

    // The bare side of loading: opens each item's key for reading, reads its
    // value and closes the key. Returns the seconds taken; throws
    // std::runtime_error when a value does not hold its phase 0 data.
    double bareRead() const;
    // The bare side of applying: opens each key for setting values, writes
    // the phase 2 data and closes it. Returns the seconds taken.
    double bareWrite() const;
    // Throws std::runtime_error naming the first item whose value does not
    // hold the phase's data.
    void checkRegistry(int phase, const char* after) const;
    // A registry script that sets every item's value to the phase's data,
    // written by the program's own RegistryStorage.
    void saveRegistryScript(const std::wstring& path, int phase) const;

    // Gives a loaded item of this catalogue the value of the phase (0 or 1),
    // as a person would in its view.
    void setPhase(Item& item, int phase) const;
    // Whether a loaded item read the phase's data as its stored value.
    bool storesPhase(const Item& item, int phase) const;
    // The entry of a loaded item, by its id.
    const SyntheticItem& entryOf(const Item& item) const;

private:
    std::wstring directory_;
    std::wstring keyBase_;  // below HKEY_CURRENT_USER, holding every item's key
    std::vector<SyntheticItem> items_;
    size_t fileBytes_ = 0;
    bool checksOnly_ = false;
};

// Writes text as a UTF-16LE file with a byte order mark; throws
// std::runtime_error.
void writeUtf16File(const std::wstring& path, const std::wstring& text);
// Makes a directory and any missing parents; throws std::runtime_error.
void makeDirectories(const std::wstring& path);
// Removes a directory with everything in it.
void removeDirectory(const std::wstring& path);
// UTF-8 of a text, for messages.
std::string narrow(const std::wstring& text);
