#pragma once

#include <functional>
#include <optional>
#include <string>

// What a path names, decided from its text alone. velmora runs elevated and
// takes paths from definitions and the registry: these rules keep such a path
// from reaching a folder, a share or a variable that another process of the
// same user could choose.

// Where a path starts from.
enum class PathAnchor {
    Relative,      // a\b: below the folder it is taken from
    Absolute,      // C:\a: a drive's root
    Network,       // \\server\share, \\?\..., \\.\...: a share or a device
    CurrentDrive,  // \a or C:a: the current drive, or a drive's current folder
};
PathAnchor anchorOf(const std::wstring& path);

// A drive or network path: the only kinds that never depend on the current
// folder or drive.
bool isAbsolutePath(const std::wstring& path);

// A file name alone: no folder, drive or stream separator, and not "." or "..".
bool isBareName(const std::wstring& name);

// A file name pattern for one folder: no folder, drive or stream separator,
// and no "..".
bool isPlainPattern(const std::wstring& pattern);

// Whether a file name matches a pattern of "*" and "?", ignoring ASCII case.
// The system also matches a pattern against a file's short 8.3 name, so
// "*.exe" finds "tool.exe1"; this test sees the long name only.
bool matchesPattern(const std::wstring& name, const std::wstring& pattern);

// The value of a variable, or nothing for a name it does not know.
using VariableLookup = std::function<std::optional<std::wstring>(const std::wstring&)>;

// The text with each %name% replaced by its value, once: what a value holds
// is taken as it stands. Nothing when the text names a variable the lookup
// does not know, or holds a "%" that no second one closes.
std::optional<std::wstring> expandVariables(const std::wstring& text, const VariableLookup& lookup);
