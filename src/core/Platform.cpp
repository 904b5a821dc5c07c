#include "core/Platform.h"

#include <windows.h>

#include <vector>

#include "core/Exception.h"
#include "core/StringUtil.h"

namespace {

constexpr DWORD pathBufferSize = MAX_PATH + 1;

}  // namespace

std::wstring lastErrorText() { return toString(static_cast<int32_t>(GetLastError())); }

std::wstring fullPathOf(const std::wstring& path) {
    std::vector<wchar_t> buffer(pathBufferSize);
    DWORD length = GetFullPathNameW(path.c_str(), pathBufferSize, buffer.data(), nullptr);
    // A longer result is asked for again at its size instead of being cut,
    // so the caller never sees a truncated path.
    if (length >= pathBufferSize) {
        buffer.resize(length);
        length = GetFullPathNameW(path.c_str(), length, buffer.data(), nullptr);
        if (length >= buffer.size()) length = 0;
    }
    if (length == 0) throw IOException(L"Can't get full path: " + path + L" : " + lastErrorText());
    return std::wstring(buffer.data(), length);
}

std::wstring systemDirectory() {
    wchar_t buffer[pathBufferSize];
    const UINT length = GetSystemDirectoryW(buffer, pathBufferSize);
    if (length == 0 || length >= pathBufferSize) {
        throw IOException(L"Can't get system directory: " + lastErrorText());
    }
    return std::wstring(buffer, length);
}

std::wstring windowsDirectory() {
    wchar_t buffer[pathBufferSize];
    const UINT length = GetSystemWindowsDirectoryW(buffer, pathBufferSize);
    if (length == 0 || length >= pathBufferSize) {
        throw IOException(L"Can't get windows directory: " + lastErrorText());
    }
    return std::wstring(buffer, length);
}

std::wstring executablePath() {
    // A result that fills the buffer may have been cut, so the buffer grows
    // until it does not.
    std::wstring buffer(pathBufferSize, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) throw IOException(L"GetModuleFileName() failed: " + lastErrorText());
        if (length < buffer.size()) return buffer.substr(0, length);
        if (buffer.size() >= 32768) throw IOException(L"GetModuleFileName() failed: too long");
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring executableFolder() { return parentPathOf(executablePath()); }

bool isElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    const FileHandle owned(token);
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    return GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size) &&
           type == TokenElevationTypeFull;
}

bool fileSecurityEnforced() {
    // Wine's own export: no Windows has it, and no process of the user can
    // give it to the system's ntdll, which every process maps from the
    // system directory.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr;
}

std::wstring resolvedPathOf(const std::wstring& path) {
    using GetFinalPath = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    const auto getFinalPath = reinterpret_cast<GetFinalPath>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW")));
    const FileHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) throw IOException(L"CreateFile: " + path + L": " + lastErrorText());
    if (getFinalPath == nullptr) return path;
    std::wstring resolved(pathBufferSize, L'\0');
    DWORD length = getFinalPath(file.get(), resolved.data(), pathBufferSize, 0);
    if (length >= pathBufferSize) {
        resolved.resize(length);
        length = getFinalPath(file.get(), resolved.data(), length, 0);
        if (length >= resolved.size()) length = 0;
    }
    if (length == 0)
        throw IOException(L"GetFinalPathNameByHandle: " + path + L": " + lastErrorText());
    resolved.resize(length);
    // \\?\C:\x is C:\x, and \\?\UNC\server\share is \\server\share.
    if (resolved.starts_with(L"\\\\?\\UNC\\")) return L"\\" + resolved.substr(7);
    if (resolved.starts_with(L"\\\\?\\") && resolved.size() >= 7 && resolved[5] == L':')
        return resolved.substr(4);
    return resolved;
}

void restrictDllSearchToSystem() {
    // Looked up rather than imported: a system without it must still start
    // the program.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto restrict = kernel == nullptr
                              ? nullptr
                              : reinterpret_cast<SetDefaultDllDirectoriesFunction>(
                                    reinterpret_cast<void*>(
                                        GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (restrict == nullptr || !restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

HMODULE loadSystemLibrary(const std::wstring& name) {
    HMODULE library = LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Systems that know no search flags refuse them; the full path does the
    // same there.
    if (library == nullptr && GetLastError() == ERROR_INVALID_PARAMETER)
        library = LoadLibraryW(joinPath(systemDirectory(), name).c_str());
    if (library == nullptr)
        throw IOException(L"LoadLibrary(" + name + L") failed: " + lastErrorText());
    return library;
}

FileHandle launchProcess(const std::wstring& application, const std::wstring& commandLine,
                         bool forUser, const std::wstring& folder) {
    // CreateProcessW may write into its command line, so it gets a copy.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_DEFAULT_ERROR_MODE | (forUser ? 0 : CREATE_NO_WINDOW), nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        throw IOException(L"CreateProcess(" + application + L") failed: " + lastErrorText());
    }
    CloseHandle(process.hThread);
    return FileHandle(process.hProcess);
}

void startProcess(const std::wstring& application, const std::wstring& commandLine) {
    // A C program takes the first word of its command line for its own name:
    // without the program in front, the first argument would be lost.
    launchProcess(application, L"\"" + application + L"\" " + commandLine);
}

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

void writeStandard(unsigned long stdHandle, const std::string& bytes) {
    const HANDLE handle = GetStdHandle(stdHandle);
    DWORD written = 0;
    for (size_t done = 0; done < bytes.size(); done += written) {
        if (!WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                       &written, nullptr) ||
            written == 0) {
            return;
        }
    }
}
