#include "items/ExecItem.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "core/Exception.h"
#include "core/FindHandle.h"
#include "core/Platform.h"
#include "core/StringUtil.h"
#include "items/Params.h"
#include "items/ViewFactory.h"
#include "registry/RegKey.h"

namespace {

// A drive path (C:\...) or a UNC path (\\server\...), with either kind of
// slash: the only kinds that never depend on the current directory or drive.
bool isAbsolute(const std::wstring& path) {
    const auto slash = [&](size_t at) {
        return path.size() > at && (path[at] == L'\\' || path[at] == L'/');
    };
    const bool letter = !path.empty() && ((path[0] >= L'A' && path[0] <= L'Z') ||
                                          (path[0] >= L'a' && path[0] <= L'z'));
    return (letter && path.size() > 1 && path[1] == L':' && slash(2)) || (slash(0) && slash(1));
}

// Once only: what a variable's value holds is taken as it stands.
std::wstring expanded(const std::wstring& text) {
    const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::vector<wchar_t> buffer(size);
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), size);
    if (written == 0 || written > size) return text;
    return std::wstring(buffer.data(), written - 1);
}

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

void ExecItem::addFile(const xml::Node& target) {
    const std::wstring path = expanded(childText(target, L"file"));
    if (isAbsolute(path)) targets_[childText(target, L"name")] = path;
}

void ExecItem::addFromRegistry(const xml::Node& target) {
    std::wstring directory;
    try {
        const RegKey key(childText(target, L"key"), RegKey::READ);
        const std::wstring valueName = childText(target, L"value");
        directory = key.getString(valueName);
        if (key.getRawValue(valueName).type == REG_EXPAND_SZ) directory = expanded(directory);
    } catch (const RegKeyException&) {
        return;
    } catch (const IllegalArgumentException&) {
        return;  // no such root key
    }
    for (const std::wstring& file : fileTexts(target)) {
        const std::wstring candidate = joinPath(directory, expanded(file));
        if (!isAbsolute(candidate)) continue;
        const std::wstring path = fullPathOf(candidate);
        if (exists(path)) {
            targets_[childText(target, L"name")] = path;
            return;
        }
    }
}

void ExecItem::addFromDirectory(const xml::Node& target) {
    const std::wstring directory = expanded(childText(target, L"path"));
    if (!isAbsolute(directory)) return;
    for (const std::wstring& pattern : fileTexts(target)) {
        WIN32_FIND_DATAW found;
        const FindHandle search(
            FindFirstFileW(joinPath(directory, expanded(pattern)).c_str(), &found));
        // The first pattern that matches nothing ends the element: later ones
        // are alternatives to it, not additions.
        if (!search.valid()) return;
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const size_t dot = name.rfind(L'.');
            targets_[dot == std::wstring::npos ? name : name.substr(0, dot)] =
                joinPath(directory, name);
        } while (FindNextFileW(search.get(), &found));
    }
}

awt::Component* ExecItem::createView() {
    return ViewFactory::installed().createExecItemView(*this);
}

void ExecItem::open(const std::wstring& path) {
    const std::wstring failed = L"ShellExecuteEx(" + path + L") failed: ";
    if (!isAbsolute(path)) throw IOException(failed + toString(ERROR_BAD_PATHNAME));
    // The target's own folder, as the shell gives a program started from it;
    // a drive's root keeps its backslash, or it would mean the drive's
    // current directory.
    std::wstring directory = parentPathOf(path);
    if (directory.size() == 2 && directory[1] == L':') directory += L'\\';
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // The caller tells the user; the shell's own box would say it twice.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.lpDirectory = directory.c_str();
    info.nShow = SW_SHOWNORMAL;
    const BOOL started = ShellExecuteExW(&info);
    const auto result = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (!started) throw IOException(failed + lastErrorText());
    if (result <= 32) throw IOException(failed + toString(static_cast<int32_t>(result)));
}
