#pragma once

#include <string>

// Tells whether a registry script changes nothing outside one key. A backup
// lies on disk between writing and importing, and the registry editor
// imports whatever a file holds, with our rights; before a backup goes back
// it is read as the editor would read it and held to what velmora writes.

// The reason the script is refused, or the empty text when it may be
// imported. text is the file's content as UTF-16 code units, byte order mark
// first. Accepted: the mark and the "Windows Registry Editor Version 5.00"
// header line, then lines each of which is blank, a key line ("[path]" or
// "[-path]") naming keyPath or a key below it, a value line, or the
// continuation of a value line that ended in a backslash. Lines break at
// every CR and LF, as the editor breaks them; a NUL anywhere is refused.
std::wstring regScriptRefusal(const std::wstring& text, const std::wstring& keyPath);
