#include "awt/FileDialog.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <cstddef>

#include "awt/Toolkit.h"
#include "awt/Window.h"
#include "core/Exception.h"
#include "core/Platform.h"

namespace awt {

namespace {

// The structure as it was before Windows 2000 added its last fields; the
// dialog then needs nothing beyond what is filled in here. On x64 that is
// 136 bytes (76 on 32-bit Windows).
// (OPENFILENAME_SIZE_VERSION_400W, which is no constant expression.)
constexpr DWORD DIALOG_STRUCTURE_SIZE =
    offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(OPENFILENAMEW::lpTemplateName);
static_assert(DIALOG_STRUCTURE_SIZE == 136);

std::wstring shellTypeName(const std::wstring& extension) {
    SHFILEINFOW info{};
    const std::wstring name = L"." + extension;
    if (SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                       SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES) == 0) {
        return {};
    }
    return info.szTypeName;
}

// The dialogs' library is loaded from the system directory when first
// needed. Imported, it would be loaded with the program, and where the
// system's loader does not treat it as a known library, the common controls
// it imports in turn would be looked for beside the program before its first
// line could restrict the search.
template <typename F>
F dialogFunction(const char* name) {
    static const HMODULE library = loadSystemLibrary(L"comdlg32.dll");
    const auto found = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    if (found == nullptr) throw Exception(L"comdlg32.dll lacks a dialog function");
    return found;
}

}  // namespace

FileDialog::FileDialog(Window* owner, const std::wstring& title, int32_t mode)
    : owner_(owner), title_(title), mode_(mode) {}

std::wstring FileDialog::makeFilter(const std::wstring& extension, const std::wstring& typeName) {
    if (extension.empty()) return {};
    const std::wstring pattern = L"*." + extension;
    const std::wstring description =
        typeName.empty() ? extension + L" file" : typeName + L" (" + pattern + L")";
    return description + L'\0' + pattern + L'\0';
}

void FileDialog::setVisible(bool visible) {
    if (!visible) throw IllegalArgumentException(L"FileDialog::setVisible(false)");
    if (file_.size() > MAX_PATH) throw Exception(L"too long: " + file_);
    wchar_t buffer[MAX_PATH + 1] = {};
    file_.copy(buffer, file_.size());

    const std::wstring filter =
        makeFilter(extension_, extension_.empty() ? std::wstring() : shellTypeName(extension_));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = DIALOG_STRUCTURE_SIZE;
    dialog.hwndOwner = owner_ != nullptr ? owner_->getHandle() : nullptr;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = MAX_PATH + 1;
    dialog.lpstrTitle = title_.c_str();
    // Without it a name typed bare passes the overwrite question and the
    // file with the extension is then replaced unasked.
    dialog.lpstrDefExt = extension_.empty() ? nullptr : extension_.c_str();
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    // A file to open is the one chosen, never what a shortcut of that name
    // leads to.
    if (mode_ == OPEN) dialog.Flags |= OFN_NODEREFERENCELINKS | OFN_FILEMUSTEXIST;

    using Show = BOOL(WINAPI*)(OPENFILENAMEW*);
    const BOOL chosen =
        dialogFunction<Show>(mode_ == SAVE ? "GetSaveFileNameW" : "GetOpenFileNameW")(&dialog);
    // The owner's listeners may have thrown while the dialog ran.
    Toolkit::getDefaultToolkit().rethrowHeldException();
    if (chosen) {
        file_ = buffer;
        return;
    }
    const DWORD error = dialogFunction<DWORD(WINAPI*)()>("CommDlgExtendedError")();
    if (error != 0) {
        throw Exception(L"::GetOpen/SaveFileName() failed: " + std::to_wstring(error));
    }
    file_.clear();
}

}  // namespace awt
