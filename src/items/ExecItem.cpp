#include "items/ExecItem.h"

#include <windows.h>

#include <vector>

#include "core/Exception.h"
#include "core/FindHandle.h"
#include "core/Launch.h"
#include "core/PathRules.h"
#include "core/Platform.h"
#include "core/StringUtil.h"
#include "items/Params.h"
#include "items/ViewFactory.h"
#include "registry/RegKey.h"

namespace {

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The text of the first child of that name, or the empty text.
std::wstring childText(const xml::Node& target, const std::wstring& wanted) {
    std::wstring text;
    bool found = false;
    forEachParam(target, [&](const std::wstring& name, const xml::Node& child) {
        if (name == wanted && !found) text = child.getText(), found = true;
    });
    return text;
}

std::vector<std::wstring> fileTexts(const xml::Node& target) {
    std::vector<std::wstring> texts;
    forEachParam(target, [&](const std::wstring& name, const xml::Node& child) {
        if (name == L"file") texts.push_back(child.getText());
    });
    return texts;
}

}  // namespace

void ExecItem::configure(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& target) {
        if (name == L"file") addFile(target);
        if (name == L"registry") addFromRegistry(target);
        if (name == L"directory") addFromDirectory(target);
    });
}

// A bare name is looked for in the system folders only, and one found
// nowhere keeps its button: a click then tells the definition's author.
void ExecItem::addFile(const xml::Node& target) {
    const std::optional<std::wstring> path = expandSystemVariables(childText(target, L"file"));
    if (path) targets_[childText(target, L"name")] = resolveBareName(*path);
}

// Only the machine's own part of the registry names a folder: the user's
// part is written by every process of theirs.
void ExecItem::addFromRegistry(const xml::Node& target) {
    const std::wstring keyPath = childText(target, L"key");
    if (!startsWith(keyPath, L"HKEY_LOCAL_MACHINE\\")) return;
    std::optional<std::wstring> directory;
    try {
        const RegKey key(keyPath, RegKey::READ);
        const std::wstring valueName = childText(target, L"value");
        directory = key.getString(valueName);
        if (key.getRawValue(valueName).type == REG_EXPAND_SZ)
            directory = expandSystemVariables(*directory);
    } catch (const RegKeyException&) {
        return;
    } catch (const IllegalArgumentException&) {
        return;  // a key path holding NUL
    }
    if (!directory) return;
    for (const std::wstring& file : fileTexts(target)) {
        const std::optional<std::wstring> name = expandSystemVariables(file);
        if (!name) continue;
        const std::wstring candidate = joinPath(*directory, *name);
        if (!isAbsolutePath(candidate)) continue;
        const std::wstring path = fullPathOf(candidate);
        if (exists(path)) {
            targets_[childText(target, L"name")] = path;
            return;
        }
    }
}

void ExecItem::addFromDirectory(const xml::Node& target) {
    const std::optional<std::wstring> directory = expandSystemVariables(childText(target, L"path"));
    if (!directory || !isAbsolutePath(*directory)) return;
    for (const std::wstring& pattern : fileTexts(target)) {
        // A pattern reaching into another folder would find a file there and
        // then start one of that name from this folder.
        if (!isPlainPattern(pattern))
            throw ConfigException(L"<directory> of item " + getId() +
                                  L" needs a file name pattern: " + pattern);
        WIN32_FIND_DATAW found;
        const FindHandle search(FindFirstFileW(joinPath(*directory, pattern).c_str(), &found));
        // The first pattern that matches nothing ends the element: later ones
        // are alternatives to it, not additions.
        if (!search.valid()) return;
        do {
            const std::wstring name = found.cFileName;
            if ((found.dwFileAttributes &
                 (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
                !matchesPattern(name, pattern))
                continue;
            const size_t dot = name.rfind(L'.');
            targets_[dot == std::wstring::npos ? name : name.substr(0, dot)] =
                joinPath(*directory, name);
        } while (FindNextFileW(search.get(), &found));
    }
}

awt::Component* ExecItem::createView() {
    return ViewFactory::installed().createExecItemView(*this);
}

void ExecItem::open(const std::wstring& path) { openFile(path, nullptr, isElevated()); }
