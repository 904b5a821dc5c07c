#pragma once

#include <cstddef>
#include <string>

// Reads a UTF-16 little-endian file with its byte order mark into text (the
// mark left out, nothing else changed) and returns the number of code units.
// Throws FileNotFoundException or IOException; text is untouched on failure.
size_t readUnicodeFile(const std::wstring& path, std::wstring& text);
