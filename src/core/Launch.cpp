#include "core/Launch.h"

#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>

#include "core/Exception.h"
#include "core/PathRules.h"
#include "core/Platform.h"
#include "core/StringUtil.h"

namespace {

std::optional<std::wstring> knownFolder(const KNOWNFOLDERID& id) {
    wchar_t* path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path);
    std::optional<std::wstring> folder;
    if (SUCCEEDED(result) && path != nullptr) folder = path;
    CoTaskMemFree(path);
    return folder;
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The path's folder as the shell gives it to a program started from there; a
// drive's root keeps its backslash, or it would mean the drive's current
// directory.
std::wstring folderOf(const std::wstring& path) {
    std::wstring folder = parentPathOf(path);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::wstring extensionOf(const std::wstring& path) {
    const std::wstring name = fileNameOf(path);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? L"" : toLowerCase(name.substr(dot));
}

// A program for the user, with a console of its own where it needs one; it
// is not waited for.
void startProgram(const std::wstring& program, const std::wstring& arguments,
                  const std::wstring& folder) {
    launchProcess(program, L"\"" + program + L"\"" + arguments, true, folder);
}

// Shells start by running what the user's own settings name (cmd the
// AutoRun command in the user's registry, PowerShell the profile scripts in
// the user's documents), which any process of the user may write; started
// from here, they skip it.
std::wstring shellArguments(const std::wstring& program) {
    const std::wstring name = toLowerCase(fileNameOf(program));
    if (name == L"cmd.exe") return L" /D";
    if (name == L"powershell.exe" || name == L"pwsh.exe") return L" -NoProfile";
    return L"";
}

void shellOpen(const std::wstring& path, const std::wstring& folder, HWND owner) {
    const std::wstring arguments = shellArguments(path);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // The caller tells the user; the shell's own box would say it twice.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.lpParameters = arguments.empty() ? nullptr : arguments.c_str() + 1;
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    const std::wstring failed = L"ShellExecuteEx(" + path + L") failed: ";
    if (!ShellExecuteExW(&info)) throw IOException(failed + lastErrorText());
    const auto result = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (result <= 32) throw IOException(failed + toString(static_cast<int32_t>(result)));
}

// An interface pointer released when it goes.
template <typename T>
class Com {
public:
    Com() = default;
    ~Com() {
        if (object_ != nullptr) object_->Release();
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T* operator->() const { return object_; }
    void** put() { return reinterpret_cast<void**>(&object_); }

private:
    T* object_ = nullptr;
};

// A BSTR in a VARIANT, freed when it goes.
class Text {
public:
    explicit Text(const std::wstring& text) {
        VariantInit(&variant);
        variant.vt = VT_BSTR;
        variant.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    ~Text() { VariantClear(&variant); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    VARIANT variant;
};

// Asks the desktop shell, which runs without elevation, to open the file as
// if the user had double-clicked it there; the way leads from the desktop's
// window through its view to the shell's own dispatch object.
void desktopOpen(const std::wstring& path, const std::wstring& folder) {
    // Made first, so that it ends after every interface is released.
    const struct Apartment {
        HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ~Apartment() {
            if (SUCCEEDED(initialised)) CoUninitialize();
        }
    } apartment;
    Com<IShellWindows> windows;
    Com<IDispatch> desktop, background, application;
    Com<IServiceProvider> services;
    Com<IShellBrowser> browser;
    Com<IShellView> view;
    Com<IShellFolderViewDual> folderView;
    Com<IShellDispatch2> shell;
    VARIANT none;
    VariantInit(&none);
    long window = 0;
    HRESULT result = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                      IID_IShellWindows, windows.put());
    if (result == S_OK)
        result = windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                       reinterpret_cast<IDispatch**>(desktop.put()));
    if (result == S_OK) result = desktop->QueryInterface(IID_IServiceProvider, services.put());
    if (result == S_OK)
        result = services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.put());
    if (result == S_OK)
        result = browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.put()));
    if (result == S_OK)
        result = view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.put());
    if (result == S_OK)
        result = background->QueryInterface(IID_IShellFolderViewDual, folderView.put());
    if (result == S_OK)
        result = folderView->get_Application(reinterpret_cast<IDispatch**>(application.put()));
    if (result == S_OK) result = application->QueryInterface(IID_IShellDispatch2, shell.put());
    if (result == S_OK) {
        const Text file(path), directory(folder), verb(L"open");
        VARIANT show;
        VariantInit(&show);
        show.vt = VT_I4;
        show.lVal = SW_SHOWNORMAL;
        // S_FALSE: the shell found nothing to open the file with.
        result = shell->ShellExecute(file.variant.bstrVal, none, directory.variant,
                                     verb.variant, show);
    }
    if (result != S_OK)
        throw IOException(L"ShellExecute(" + path + L") failed: " +
                          toString(static_cast<int32_t>(result)));
}

}  // namespace

std::optional<std::wstring> systemVariable(const std::wstring& name) {
    if (equalsIgnoreCase(name, L"SystemRoot") || equalsIgnoreCase(name, L"windir"))
        return windowsDirectory();
    if (equalsIgnoreCase(name, L"SystemDrive")) return windowsDirectory().substr(0, 2);
    if (equalsIgnoreCase(name, L"ProgramFiles")) return knownFolder(FOLDERID_ProgramFiles);
    if (equalsIgnoreCase(name, L"ProgramFiles(x86)")) return knownFolder(FOLDERID_ProgramFilesX86);
    if (equalsIgnoreCase(name, L"CommonProgramFiles"))
        return knownFolder(FOLDERID_ProgramFilesCommon);
    if (equalsIgnoreCase(name, L"ProgramData")) return knownFolder(FOLDERID_ProgramData);
    return std::nullopt;
}

std::optional<std::wstring> expandSystemVariables(const std::wstring& path) {
    return expandVariables(path, systemVariable);
}

std::wstring resolveBareName(const std::wstring& name) {
    if (!isBareName(name)) return name;
    for (const std::wstring& folder : {systemDirectory(), windowsDirectory()}) {
        const std::wstring path = joinPath(folder, name);
        if (isFile(path)) return path;
    }
    return name;
}

void openFile(const std::wstring& given, HWND owner, bool elevated) {
    if (!isAbsolutePath(given))
        throw IOException(L"ShellExecuteEx(" + given + L") failed: " +
                          toString(ERROR_BAD_PATHNAME));
    // Backslashes only, so that the folder and the type are read off the
    // path as the system reads them.
    const std::wstring path = fullPathOf(given);
    const std::wstring folder = folderOf(path);
    if (!elevated) return shellOpen(path, folder, owner);
    const std::wstring extension = extensionOf(path);
    if (extension == L".exe") return startProgram(path, shellArguments(path), folder);
    if (extension == L".msc")
        return startProgram(joinPath(systemDirectory(), L"mmc.exe"), L" \"" + path + L"\"", folder);
    if (extension == L".cpl")
        return startProgram(joinPath(systemDirectory(), L"control.exe"), L" \"" + path + L"\"",
                            folder);
    desktopOpen(path, folder);
}

void openAsUser(const std::wstring& path) {
    if (!isAbsolutePath(path))
        throw IOException(L"ShellExecute(" + path + L") failed: " + toString(ERROR_BAD_PATHNAME));
    const std::wstring full = fullPathOf(path);
    desktopOpen(full, folderOf(full));
}
