#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The text form of REG_BINARY data in definitions: each byte as two lower-case
// hexadecimal digits, separated by ",", as in 01,0a,ff.
std::wstring bytesToText(const std::vector<uint8_t>& bytes);

// Lenient on purpose, for hand-written definitions: either case, any number
// of digits per byte (the low 8 bits count), and an empty group is a 0 byte.
// A trailing "," adds no byte. Throws NumberFormatException naming a unit
// that is neither a digit nor ",".
std::vector<uint8_t> textToBytes(const std::wstring& text);
