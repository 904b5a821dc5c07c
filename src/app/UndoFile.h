#pragma once

#include <string>
#include <vector>

#include "registry/RegistryStorage.h"

class Category;

// The way back from an apply: before anything is written, the registry as it
// stands wherever the apply will change it, kept as a registry script that
// the registry editor imports again (a double-click, or regedit /s).
class UndoFile {
public:
    // Where undo files go, in the order tried: a folder beside the program
    // and one in the user's local application data.
    struct Folder {
        // Must exist already.
        std::wstring base;
        // The folders below base that are made when missing.
        std::vector<std::wstring> below;
    };

    // Records what every item that apply would change holds now. Throws
    // Exception naming the item when a part of that cannot be read.
    explicit UndoFile(const std::vector<Category*>& categories);

    // Whether the apply would change nothing, leaving nothing to keep.
    bool isEmpty() const { return storage_.isEmpty(); }

    // Writes the file into the first folder that takes it, named stem.reg,
    // or stem-2.reg and on when that name is taken: an earlier undo file is
    // never replaced. Returns the file's path. Throws IOException naming
    // each folder tried and why it failed.
    std::wstring save(const std::vector<Folder>& folders, const std::wstring& stem) const;

    // "backups" beside the program, then "velmora\backups" in the local
    // application data of the user's profile. Throws Exception when the
    // profile cannot be found.
    static std::vector<Folder> defaultFolders();
    // The local time now as yyyymmdd-hhmmss.
    static std::wstring timeStem();

private:
    std::wstring saveInto(const Folder& folder, const std::wstring& stem) const;

    RegistryStorage storage_;
};
