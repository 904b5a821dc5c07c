#include "app/UndoFile.h"

#include <windows.h>

#include <cstdio>

#include "config/CatalogueWalk.h"
#include "config/ItemGroup.h"
#include "core/Exception.h"
#include "core/Platform.h"
#include "core/StringUtil.h"
#include "items/Item.h"
#include "xml/SystemVersion.h"

namespace {

// More undo files of one second than this are no person's applies.
constexpr int maxNamesPerStem = 100;

// The profile folder as the system's list of profiles has it for this
// process's user, which the user's own processes cannot redirect, unlike
// the environment and the shell folders of the user's registry.
std::wstring profileFolder() {
    using GetProfile = BOOL(WINAPI*)(HANDLE, LPWSTR, LPDWORD);
    const auto get = reinterpret_cast<GetProfile>(reinterpret_cast<void*>(
        GetProcAddress(loadSystemLibrary(L"userenv.dll"), "GetUserProfileDirectoryW")));
    if (get == nullptr) throw IOException(L"GetUserProfileDirectoryW: " + lastErrorText());
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        throw IOException(L"OpenProcessToken: " + lastErrorText());
    const FileHandle held(token);
    DWORD size = 0;
    get(token, nullptr, &size);
    std::wstring folder(size, L'\0');
    if (size == 0 || !get(token, folder.data(), &size))
        throw IOException(L"GetUserProfileDirectoryW: " + lastErrorText());
    folder.resize(folder.find(L'\0'));
    return folder;
}

}  // namespace

UndoFile::UndoFile(const std::vector<Category*>& categories) : storage_(L"") {
    forEachItem(categories, [this](Item& item) {
        try {
            item.storePriorState(storage_);
        } catch (const Exception& e) {
            throw Exception(L"Item ID: " + qualifiedIdOf(item) + L"\nMessage: " + e.getMessage());
        }
    });
}

std::wstring UndoFile::save(const std::vector<Folder>& folders, const std::wstring& stem) const {
    std::wstring failures;
    for (const Folder& folder : folders) {
        try {
            return saveInto(folder, stem);
        } catch (const Exception& e) {
            failures += (failures.empty() ? L"" : L"\n") + e.getMessage();
        }
    }
    throw IOException(failures.empty() ? L"no folder for undo files" : failures);
}

std::wstring UndoFile::saveInto(const Folder& folder, const std::wstring& stem) const {
    const std::wstring path = makeKeptFolder(folder);
    for (int number = 1; number <= maxNamesPerStem; ++number) {
        const std::wstring name = stem + (number == 1 ? L"" : L"-" + toString(number)) + L".reg";
        const std::wstring file = joinPath(path, name);
        if (storage_.saveNew(file)) return file;
    }
    throw IOException(L"every name taken: " + joinPath(path, stem + L".reg"));
}

std::vector<UndoFile::Folder> UndoFile::defaultFolders(bool elevated) {
    std::vector<Folder> folders{{executableFolder(), {L"backups"}, elevated, elevated}};
    if (elevated) {
        try {
            folders.push_back(programDataFolder());
        } catch (const Exception&) {
            // Without it the folder beside the program is the only one.
        }
        return folders;
    }
    try {
        // Windows before Vista kept local application data elsewhere.
        const bool vista = xml::SystemVersion::detect().productVersion >= 0x0600;
        folders.push_back({joinPath(profileFolder(), vista ? L"AppData\\Local"
                                                           : L"Local Settings\\Application Data"),
                           {L"velmora", L"backups"}});
    } catch (const Exception&) {
        // Without a profile the folder beside the program is the only one.
    }
    return folders;
}

std::wstring UndoFile::timeStem() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[16];
    std::swprintf(text, sizeof text / sizeof text[0], L"%04u%02u%02u-%02u%02u%02u", now.wYear,
                  now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    return text;
}
