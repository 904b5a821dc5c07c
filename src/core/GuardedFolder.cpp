#include "core/GuardedFolder.h"

#include <aclapi.h>
#include <sddl.h>

#include "core/Exception.h"
#include "core/FileHandle.h"
#include "core/Launch.h"
#include "core/Platform.h"
#include "core/StringUtil.h"

namespace {

// Rights that let a holder put a file into a folder, change or delete one,
// or hand the folder to someone else.
constexpr ACCESS_MASK WRITING = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD | DELETE |
                                WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

const wchar_t* const SYSTEM = L"S-1-5-18";
const wchar_t* const ADMINISTRATORS = L"S-1-5-32-544";
const wchar_t* const TRUSTED_INSTALLER =
    L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
// An entry for the creator of each new file or folder, which is then the
// administrators; and one that narrows what the owner may do.
const wchar_t* const CREATOR_OWNER = L"S-1-3-0";
const wchar_t* const OWNER_RIGHTS = L"S-1-3-4";

std::wstring sidText(PSID sid) {
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text)) return L"?";
    const std::wstring result = text;
    LocalFree(text);
    return result;
}

// The account's name beside its SID, for the person who reads the refusal.
std::wstring accountOf(PSID sid) {
    wchar_t name[256], domain[256];
    DWORD nameSize = 256, domainSize = 256;
    SID_NAME_USE use;
    const std::wstring text = sidText(sid);
    if (!LookupAccountSidW(nullptr, sid, name, &nameSize, domain, &domainSize, &use)) return text;
    return (domainSize != 0 ? std::wstring(domain) + L"\\" : L"") + name + L" (" + text + L")";
}

bool isOneOf(PSID sid, std::initializer_list<const wchar_t*> sids) {
    const std::wstring text = sidText(sid);
    for (const wchar_t* one : sids)
        if (text == one) return true;
    return false;
}

// Opens the folder itself, never what a link or junction of that name
// points to.
FileHandle openFolder(const std::wstring& path) {
    FileHandle folder(
        CreateFileW(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!folder.valid()) throw IOException(L"CreateFile: " + path + L": " + lastErrorText());
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(folder.get(), &information))
        throw IOException(L"GetFileInformationByHandle: " + path + L": " + lastErrorText());
    if (!(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        throw IOException(L"not a folder: " + path);
    if (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        throw IOException(L"a link, not a folder: " + path);
    return folder;
}

std::wstring refusalOf(const FileHandle& folder, const std::wstring& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD error = GetSecurityInfo(folder.get(), SE_FILE_OBJECT,
                                        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                        nullptr, nullptr, nullptr, nullptr, &descriptor);
    if (error != ERROR_SUCCESS)
        throw IOException(L"GetSecurityInfo: " + path + L": " + toString(int32_t(error)));
    const SecurityDescriptor held(descriptor);
    return guardRefusal(descriptor);
}

// Where the system keeps no rights of files, as Wine does (every file there
// is the user's, and any process writes any of them), a check would refuse
// every folder and protect none.
void checkGuarded(const FileHandle& folder, const std::wstring& path) {
    if (!fileSecurityEnforced()) return;
    const std::wstring refusal = refusalOf(folder, path);
    if (!refusal.empty()) throw IOException(L"not protected: " + path + L": " + refusal);
}

// Makes the folder, guarded when asked; one that exists must be a folder of
// its own, and guarded when asked.
void makeFolder(const std::wstring& path, bool guarded) {
    SecurityDescriptor descriptor;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    if (guarded) {
        descriptor = guardedFolderDescriptor();
        attributes.lpSecurityDescriptor = descriptor.get();
    }
    if (CreateDirectoryW(path.c_str(), &attributes)) return;
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS) {
        SetLastError(error);
        throw IOException(L"CreateDirectory: " + path + L": " + lastErrorText());
    }
    const FileHandle folder = openFolder(path);
    if (guarded) checkGuarded(folder, path);
}

}  // namespace

std::wstring pathOf(const KeptFolder& folder) {
    std::wstring path = folder.base;
    for (const std::wstring& name : folder.below) path = joinPath(path, name);
    return path;
}

SecurityDescriptor descriptorOf(const std::wstring& sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        throw IllegalArgumentException(L"no security descriptor: " + sddl);
    return SecurityDescriptor(descriptor);
}

SecurityDescriptor guardedFolderDescriptor() {
    return descriptorOf(L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)");
}

std::wstring guardRefusal(PSECURITY_DESCRIPTOR descriptor) {
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) || owner == nullptr)
        return L"no owner";
    if (!isOneOf(owner, {SYSTEM, ADMINISTRATORS, TRUSTED_INSTALLER}))
        return L"owned by " + accountOf(owner);
    BOOL present = FALSE;
    PACL list = nullptr;
    if (!GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted) || !present ||
        list == nullptr)
        return L"no access list, so everyone may write";
    for (DWORD index = 0; index < list->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(list, index, &entry)) return L"an access entry that cannot be read";
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if (header->AceType == ACCESS_ALLOWED_OBJECT_ACE_TYPE ||
            header->AceType == ACCESS_ALLOWED_CALLBACK_OBJECT_ACE_TYPE)
            return L"an access entry of a kind velmora does not read";
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE &&
            header->AceType != ACCESS_ALLOWED_CALLBACK_ACE_TYPE)
            continue;
        // Both kinds begin alike: the header, the rights, the SID.
        const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        const PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        if ((allowed->Mask & WRITING) != 0 &&
            !isOneOf(sid, {SYSTEM, ADMINISTRATORS, TRUSTED_INSTALLER, CREATOR_OWNER, OWNER_RIGHTS}))
            return L"writable by " + accountOf(sid);
    }
    return L"";
}

std::wstring folderGuardRefusal(const std::wstring& path) {
    return refusalOf(openFolder(path), path);
}

std::wstring makeKeptFolder(const KeptFolder& folder) {
    std::wstring path = folder.base;
    if (folder.guardBase) checkGuarded(openFolder(path), path);
    for (const std::wstring& name : folder.below) {
        path = joinPath(path, name);
        makeFolder(path, folder.guardBelow);
    }
    return resolvedPathOf(path);
}

KeptFolder programDataFolder() {
    const std::optional<std::wstring> programData = systemVariable(L"ProgramData");
    if (!programData) throw IOException(L"no ProgramData folder");
    return {*programData, {L"velmora", L"backups"}, false, true};
}

KeptFolder backupFolder(bool elevated) {
    const KeptFolder beside{executableFolder(), {}, elevated, false};
    if (!elevated) return beside;
    try {
        checkGuarded(openFolder(beside.base), beside.base);
        return beside;
    } catch (const IOException&) {
        return programDataFolder();
    }
}
