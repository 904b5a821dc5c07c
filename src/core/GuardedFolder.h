#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// Folders for the files that an elevated velmora writes and later imports
// into the registry, or that an administrator imports on velmora's word
// (undo files, backups): folders that no process of the same user without
// elevation can put a file into, change one in, or take the place of.

// A descriptor that LocalFree releases.
struct LocalMemoryDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};
using SecurityDescriptor = std::unique_ptr<void, LocalMemoryDeleter>;

// The descriptor of the text in the system's descriptor language (SDDL).
// Throws IllegalArgumentException for text the system does not read.
SecurityDescriptor descriptorOf(const std::wstring& sddl);

// What velmora makes a guarded folder with: owned by the administrators,
// full control for them and SYSTEM, passed on to every file and folder made
// inside, and nothing inherited from the folder above.
SecurityDescriptor guardedFolderDescriptor();

// Why a folder with this descriptor is open to others than the
// administrators, SYSTEM and the installer service: an owner other than
// those (an owner can always change the rights), no access list at all, or an
// entry that lets anyone else write, append, delete, take ownership or change
// the rights, on the folder itself or passed on to the files made in it.
// Empty when it is not.
std::wstring guardRefusal(PSECURITY_DESCRIPTOR descriptor);

// guardRefusal for the folder's rights as the system keeps them. Throws
// IOException naming the path when it is no folder of its own (a link or
// junction included) or its rights cannot be read.
std::wstring folderGuardRefusal(const std::wstring& path);

// One folder for such files: base must exist, and the folders below it are
// made when they are missing.
struct KeptFolder {
    std::wstring base;
    std::vector<std::wstring> below;
    // Where the system keeps files' rights, base must pass guardRefusal.
    bool guardBase = false;
    // The folders below are made with guardedFolderDescriptor, and any that
    // exists already must pass guardRefusal.
    bool guardBelow = false;
};

// The folder's path as given, before anything is made.
std::wstring pathOf(const KeptFolder& folder);

// Makes the folders below base and checks those to be guarded; a link or
// junction is never taken for a folder. Returns the folder's path as the
// system resolves it, so that nothing opened later by that path goes through
// a link. Throws IOException naming the folder and what is wrong with it.
std::wstring makeKeptFolder(const KeptFolder& folder);

// "velmora\backups" in the machine's ProgramData, found as the system keeps
// that folder, never through the environment.
KeptFolder programDataFolder();

// Where a backup named without a folder is kept: beside the program, unless
// the program runs elevated from a folder that is not guarded, where it goes
// to programDataFolder() instead.
KeptFolder backupFolder(bool elevated);
