#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Category;

// Writes to the file, as the window's save does (".reg" appended unless the
// name ends so, the file replaced only once written whole), what each item
// of the catalogue records when it is tuned (isTuned: its current value
// differs from its default) and its target meets the filter mask
// (AffectTarget). An item that holds no value is left out; each item is
// recorded once. Throws Exception, writing nothing.
void exportCatalogue(const std::vector<Category*>& categories, uint32_t filter,
                     const std::wstring& fileName);
