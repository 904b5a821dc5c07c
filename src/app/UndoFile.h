#pragma once

#include <string>
#include <vector>

#include "core/GuardedFolder.h"
#include "registry/RegistryStorage.h"

class Category;

// The way back from an apply: before anything is written, the registry as it
// stands wherever the apply will change it, kept as a registry script that
// the registry editor imports again (a double-click, or regedit /s).
class UndoFile {
public:
    using Folder = KeptFolder;

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

    // Where undo files go, in the order tried. Elevated, only folders that
    // the user's processes without elevation cannot write: "backups" beside
    // the program when the program's folder is so, then "velmora\backups" in
    // ProgramData. Otherwise "backups" beside the program, then
    // "velmora\backups" in the local application data of the user's profile.
    static std::vector<Folder> defaultFolders(bool elevated);
    // The local time now as yyyymmdd-hhmmss.
    static std::wstring timeStem();

private:
    std::wstring saveInto(const Folder& folder, const std::wstring& stem) const;

    RegistryStorage storage_;
};
