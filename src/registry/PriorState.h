#pragma once

#include <string>

#include "registry/RegistryStorage.h"

// Records in a storage how a part of the registry stands now, before it is
// changed, so that importing the storage's file puts it back as it was.
// Whatever a change creates is recorded as a deletion: a value that is
// missing, and a missing key from the highest key of its path that is
// missing too, since creating a key creates every missing key above it.
// Registry failures throw RegKeyException: a key that cannot be read is never
// taken for a missing one.

// One value of a key; valueName NULL_STRING is the key's default value.
void storePriorValue(RegistryStorage& storage, const std::wstring& keyPath,
                     const std::wstring& valueName);

// A key with everything below it. An existing key is deleted first by the
// file, so that sub-keys and values made after this record go as well.
void storePriorTree(RegistryStorage& storage, const std::wstring& keyPath);
