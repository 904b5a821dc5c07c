#include "core/Launch.h"

#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>

#include <memory>
#include <vector>

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

// A program for the user, with a window and a console of its own where it
// needs one; it is not waited for.
void startProgram(const std::wstring& program, const std::wstring& arguments,
                  const std::wstring& folder) {
    std::wstring text = L"\"" + program + L"\"" + arguments;
    std::vector<wchar_t> line(text.begin(), text.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_DEFAULT_ERROR_MODE, nullptr, folder.c_str(), &startup, &process)) {
        throw IOException(L"CreateProcess(" + program + L") failed: " + lastErrorText());
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void shellOpen(const std::wstring& path, const std::wstring& folder, HWND owner) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // The caller tells the user; the shell's own box would say it twice.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    const std::wstring failed = L"ShellExecuteEx(" + path + L") failed: ";
    if (!ShellExecuteExW(&info)) throw IOException(failed + lastErrorText());
    const auto result = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (result <= 32) throw IOException(failed + toString(static_cast<int32_t>(result)));
}

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, Releaser>;

// Each step of the way to the desktop shell's own dispatch object; a step
// that fails ends the search with the call that failed.
template <typename T, typename Call>
ComPtr<T> step(const wchar_t* name, Call&& call) {
    T* object = nullptr;
    const HRESULT result = call(&object);
    if (result != S_OK || object == nullptr) {
        if (object != nullptr) object->Release();
        throw IOException(std::wstring(name) + L" failed: " +
                          toString(static_cast<int32_t>(result)));
    }
    return ComPtr<T>(object);
}

class BString {
public:
    explicit BString(const std::wstring& text)
        : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~BString() { SysFreeString(text_); }
    BString(const BString&) = delete;
    BString& operator=(const BString&) = delete;
    BSTR get() const { return text_; }

private:
    BSTR text_;
};

// Asks the desktop shell, which runs without elevation, to open the file as
// if the user had double-clicked it there.
void desktopOpen(const std::wstring& path, const std::wstring& folder) {
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    struct Uninitialise {
        bool owed;
        ~Uninitialise() {
            if (owed) CoUninitialize();
        }
    } uninitialise{SUCCEEDED(initialised)};

    auto windows = step<IShellWindows>(L"CoCreateInstance(ShellWindows)", [](IShellWindows** out) {
        return CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                reinterpret_cast<void**>(out));
    });
    VARIANT none;
    VariantInit(&none);
    long window = 0;
    auto desktop = step<IDispatch>(L"FindWindowSW", [&](IDispatch** out) {
        return windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, out);
    });
    auto services = step<IServiceProvider>(L"QueryInterface(IServiceProvider)", [&](auto** out) {
        return desktop->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(out));
    });
    auto browser = step<IShellBrowser>(L"QueryService(SID_STopLevelBrowser)", [&](auto** out) {
        return services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                      reinterpret_cast<void**>(out));
    });
    auto view = step<IShellView>(L"QueryActiveShellView", [&](IShellView** out) {
        return browser->QueryActiveShellView(out);
    });
    auto background = step<IDispatch>(L"GetItemObject", [&](IDispatch** out) {
        return view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, reinterpret_cast<void**>(out));
    });
    auto folderView =
        step<IShellFolderViewDual>(L"QueryInterface(IShellFolderViewDual)", [&](auto** out) {
            return background->QueryInterface(IID_IShellFolderViewDual,
                                              reinterpret_cast<void**>(out));
        });
    auto application = step<IDispatch>(
        L"get_Application", [&](IDispatch** out) { return folderView->get_Application(out); });
    auto shell = step<IShellDispatch2>(L"QueryInterface(IShellDispatch2)", [&](auto** out) {
        return application->QueryInterface(IID_IShellDispatch2, reinterpret_cast<void**>(out));
    });

    const BString file(path);
    VARIANT directory, verb, show;
    VariantInit(&directory);
    directory.vt = VT_BSTR;
    const BString folderText(folder);
    directory.bstrVal = folderText.get();
    const BString open(L"open");
    VariantInit(&verb);
    verb.vt = VT_BSTR;
    verb.bstrVal = open.get();
    VariantInit(&show);
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    const HRESULT result = shell->ShellExecute(file.get(), none, directory, verb, show);
    // The shell answers S_FALSE when it found nothing to open the file with.
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
    if (extension == L".exe") return startProgram(path, L"", folder);
    if (extension == L".msc")
        return startProgram(joinPath(systemDirectory(), L"mmc.exe"), L" \"" + path + L"\"", folder);
    if (extension == L".cpl")
        return startProgram(joinPath(systemDirectory(), L"control.exe"), L" \"" + path + L"\"",
                            folder);
    desktopOpen(path, folder);
}
