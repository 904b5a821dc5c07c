#pragma once

#include <string>

// Means "no text was given", as opposed to the empty text. Compare by
// content, never by address. Inline so that every translation unit that
// includes this header sees it initialised before its own statics.
inline const std::wstring NULL_STRING(1, static_cast<wchar_t>(0xFFFF));

inline const std::wstring programName = L"velmora";
inline const std::wstring programVersion = L"1.3.2";
inline const std::wstring programRelease = L"production release";
