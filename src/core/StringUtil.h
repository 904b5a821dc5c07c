#pragma once

#include <cstdint>
#include <string>

// Text, number and path helpers over UTF-16 code units. Case folding touches
// the ASCII letters A to Z only.

// Decimal text to a 32-bit signed integer; no sign but a leading "-", no
// blanks. Throws NumberFormatException.
int32_t parseInt(const std::wstring& s);
std::wstring toString(int32_t n);
bool parseBoolean(const std::wstring& s);

wchar_t toLowerCase(wchar_t c);
std::wstring toLowerCase(const std::wstring& s);
bool equalsIgnoreCase(const std::wstring& s, const std::wstring& t);
bool startsWith(const std::wstring& s, const std::wstring& t);
bool startsWithIgnoreCase(const std::wstring& s, const std::wstring& t);
bool endsWithIgnoreCase(const std::wstring& s, const std::wstring& t);
std::wstring trim(const std::wstring& s);

std::wstring joinPath(const std::wstring& dir, const std::wstring& name);
std::wstring fileNameOf(const std::wstring& path);
std::wstring parentPathOf(const std::wstring& path);

// 0 to 15 for a hexadecimal digit of either case; throws NumberFormatException.
int hexDigitValue(wchar_t c);
std::wstring byteToHex(uint8_t b);
