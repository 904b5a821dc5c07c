#pragma once

#include <string>

#include "registry/RegistryStorage.h"

// One save run: the file chosen by the user and the registry changes that the
// items record for it.
class SaveTarget {
public:
    explicit SaveTarget(const std::wstring& fileName) : fileName_(fileName), storage_(fileName) {}
    SaveTarget(const SaveTarget&) = delete;
    SaveTarget& operator=(const SaveTarget&) = delete;

    const std::wstring& getFileName() const { return fileName_; }
    RegistryStorage& getStorage() { return storage_; }
    // Writes the file; throws IOException.
    void finish() { storage_.save(); }

private:
    std::wstring fileName_;
    RegistryStorage storage_;
};
