#include "registry/RegistryStorage.h"

#include <windows.h>
// After windows.h, which they rely on.
#include <ntsecapi.h>
#include <shellapi.h>

#include <algorithm>
#include <sstream>

#include "core/Exception.h"
#include "core/FileHandle.h"
#include "core/Platform.h"
#include "core/StringUtil.h"
#include "registry/RegScriptCheck.h"
#include "registry/RegistryStorageKey.h"
#include "registry/RegistryStorageValue.h"

namespace {

// Where wchar_t is 16 bits wide, the code unit U+FFFF is also WEOF, so a
// string buffer that grows through overflow() takes that unit for end of file
// and drops it: a backed-up value named U+FFFF then came back as the key's
// default value. Whole sequences are appended here and never pass that test.
class TextBuffer : public std::wstreambuf {
public:
    std::wstring text;

protected:
    std::streamsize xsputn(const wchar_t* units, std::streamsize count) override {
        text.append(units, static_cast<size_t>(count));
        return count;
    }
    // Reached only by a single unit put on its own; end of file is never
    // asked for here, so the value that looks like it is U+FFFF.
    int_type overflow(int_type unit) override {
        text.push_back(static_cast<wchar_t>(unit));
        return traits_type::not_eof(unit);
    }
};

std::wstring randomText(const std::wstring& forFile) {
    uint8_t random[8];
    if (!RtlGenRandom(random, sizeof random)) throw IOException(L"RtlGenRandom: " + forFile);
    std::wstring text;
    for (const uint8_t byte : random) text += byteToHex(byte);
    return text;
}

// A name beside the target that no other process can foresee, so none can
// have put a link there to be followed.
std::wstring temporaryNameFor(const std::wstring& fileName) {
    return fileName + L"." + randomText(fileName) + L".tmp";
}

// Starts the registry editor on the file and waits for it to end.
FileHandle startEditor(const std::wstring& editor, const std::wstring& parameters) {
    // Elevated, a program is started directly: the shell would look up how
    // to start it among file associations that the user's other,
    // unelevated processes may write.
    if (isElevated()) return launchProcess(editor, L"\"" + editor + L"\" " + parameters);
    // Unelevated, the shell asks for the elevation that the editor needs.
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = L"open";
    execute.lpFile = editor.c_str();
    execute.lpParameters = parameters.c_str();
    execute.nShow = SW_HIDE;
    if (!ShellExecuteExW(&execute)) {
        throw IOException(L"CreateProcess(" + editor + L") failed: " + lastErrorText());
    }
    // Without the editor's process the import could not be waited for, and a
    // caller would read the registry back before it had changed.
    if (execute.hProcess == nullptr) {
        throw IOException(L"CreateProcess(" + editor + L") failed: no process");
    }
    return FileHandle(execute.hProcess);
}

}  // namespace

RegistryStorage::RegistryStorage(const std::wstring& filePath) : filePath_(filePath) {}

RegistryStorage::~RegistryStorage() = default;

RegistryStorage::Key& RegistryStorage::getKey(const std::wstring& path) {
    // A save asks for each item's key in turn, and the items of a group
    // share theirs: folding a long path and finding it among thousands of
    // near-identical ones took more than writing the whole file.
    if (lastKey_ != nullptr && path == lastKey_->getPath()) return *lastKey_;
    const std::wstring lowerCasePath = toLowerCase(path);
    const auto found = keys_.find(lowerCasePath);
    if (found == keys_.end()) {
        auto made = std::make_unique<Key>(this, path);
        lastKey_ = made.get();
        keys_.emplace(lowerCasePath, std::move(made));
        return *lastKey_;
    }
    // A key to be deleted takes deletions of its values, as a setting whose
    // default is no value records them: only a value set in it conflicts.
    if (dynamic_cast<DeleteKey*>(found->second.get())) return *found->second;
    lastKey_ = found->second.get();
    return *lastKey_;
}

void RegistryStorage::deleteKey(const std::wstring& path) {
    const std::wstring lowerCasePath = toLowerCase(path);
    const auto found = keys_.find(lowerCasePath);
    if (found == keys_.end()) {
        keys_.emplace(lowerCasePath, std::make_unique<DeleteKey>(this, path));
    } else if (!dynamic_cast<DeleteKey*>(found->second.get())) {
        if (!found->second->onlyDeletesValues())
            throw ConfigException(L"conflict set and delete: " + path);
        if (lastKey_ == found->second.get()) lastKey_ = nullptr;
        found->second = std::make_unique<DeleteKey>(this, found->second->getPath());
    }
}

void RegistryStorage::write(std::wostream& out) const {
    out << L"Windows Registry Editor Version 5.00\r\n\r\n";
    for (const auto& [lowerCasePath, key] : keys_) key->write(out);
}

std::wstring RegistryStorage::render() const {
    TextBuffer buffer;
    std::wostream content(&buffer);
    content << L'\xFEFF';
    write(content);
    if (!content) throw IOException(L"registry script can't be composed: " + filePath_);
    return std::move(buffer.text);
}

void RegistryStorage::save() const {
    writeFile(endsWithIgnoreCase(filePath_, L".reg") ? filePath_ : filePath_ + L".reg", true);
}

bool RegistryStorage::saveNew(const std::wstring& fileName) const {
    return writeFile(fileName, false);
}

bool RegistryStorage::writeFile(const std::wstring& fileName, bool replace) const {
    const std::wstring text = render();
    // The file is written whole beside the target, in its directory so that
    // the rename stays on one volume, and only then put in the target's place:
    // a failed write must never leave half a backup where the old one was,
    // since its deletions would then come without the data that follows them.
    const std::wstring temporary = temporaryNameFor(fileName);
    // A name that exists, a link above all, is never opened: it was not made
    // here.
    FileHandle file(CreateFileW(
        temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid()) throw IOException(L"CreateFile: " + fileName + L": " + lastErrorText());
    const auto fail = [&](const std::wstring& call) {
        const std::wstring error = lastErrorText();
        if (file.valid()) CloseHandle(file.release());
        DeleteFileW(temporary.c_str());
        throw IOException(call + L": " + fileName + L": " + error);
    };

    // wchar_t is a UTF-16 code unit here, stored little-endian: the text's
    // memory is the file's content.
    const char* bytes = reinterpret_cast<const char*>(text.data());
    size_t left = text.size() * sizeof(wchar_t);
    while (left != 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(left, 1 << 24));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes, chunk, &written, nullptr)) fail(L"WriteFile");
        if (written != chunk) {
            SetLastError(ERROR_DISK_FULL);
            fail(L"WriteFile");
        }
        bytes += chunk;
        left -= chunk;
    }
    if (!FlushFileBuffers(file.get())) fail(L"FlushFileBuffers");
    if (!CloseHandle(file.release())) fail(L"CloseHandle");
    if (!MoveFileExW(temporary.c_str(), fileName.c_str(),
                     (replace ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        if (!replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) {
            DeleteFileW(temporary.c_str());
            return false;
        }
        SetLastError(error);
        fail(L"MoveFileEx");
    }
    return true;
}

// The editor is started by its full path. No command interpreter comes
// between: it would expand %VAR% inside the quoted path, run the user's
// AutoRun command, and look for the editor in the current directory first.
void RegistryStorage::importRegFile(const std::wstring& filePath) {
    const std::wstring editor = joinPath(windowsDirectory(), L"regedit.exe");
    const FileHandle processHandle = startEditor(editor, L"/s \"" + fullPathOf(filePath) + L"\"");
    if (WaitForSingleObject(processHandle.get(), INFINITE) != WAIT_OBJECT_0) {
        throw IOException(L"Failed to wait for process import registry: " + lastErrorText());
    }
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(processHandle.get(), &exitCode)) {
        throw IOException(L"Can't get result code for import registry: " + lastErrorText());
    }
    if (exitCode != 0)
        throw IOException(L"Failed to import registry: " + std::to_wstring(exitCode));
}

void RegistryStorage::importBackup(const std::wstring& filePath, const std::wstring& keyPath,
                                   const std::wstring& copyFolder) {
    std::string bytes;
    {
        const FileHandle file(CreateFileW(filePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) throw IOException(L"CreateFile: " + filePath + L": " + lastErrorText());
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.get(), &size)) {
            throw IOException(L"GetFileSize: " + filePath + L": " + lastErrorText());
        }
        // Backups of the keys that definitions clean are small; a file far
        // larger is no backup of ours, and an odd size is no UTF-16 text.
        if (size.QuadPart > (256LL << 20))
            throw IOException(L"backup refused, larger than 256 MiB: " + filePath);
        if (size.QuadPart % 2 != 0)
            throw IOException(L"backup refused, no registry script header: " + filePath);
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(size.QuadPart), &read,
                      nullptr) ||
            read != size.QuadPart) {
            throw IOException(L"ReadFile: " + filePath + L": " + lastErrorText());
        }
    }
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    const std::wstring refusal = regScriptRefusal(text, keyPath);
    if (!refusal.empty()) throw IOException(L"backup refused, " + refusal + L": " + filePath);
    // The editor opens what it imports by name, so it is given a copy of the
    // bytes just checked, made new under a name nobody can foresee in a
    // folder of the caller's choosing (elevated, one only administrators
    // write), and held open without write sharing until the editor is done:
    // no link or rewrite of the backup can change what is imported.
    const std::wstring copy = joinPath(copyFolder, L"import-" + randomText(filePath) + L".reg");
    FileHandle held(CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!held.valid()) throw IOException(L"CreateFile: " + copy + L": " + lastErrorText());
    const struct Removal {
        FileHandle& file;
        const std::wstring& path;
        ~Removal() {
            if (file.valid()) CloseHandle(file.release());
            DeleteFileW(path.c_str());
        }
    } removal{held, copy};
    DWORD written = 0;
    if (!WriteFile(held.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !CloseHandle(held.release()))
        throw IOException(L"WriteFile: " + copy + L": " + lastErrorText());
    // Reopened to read only, so that the editor may read beside it.
    held = FileHandle(CreateFileW(copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!held.valid()) throw IOException(L"CreateFile: " + copy + L": " + lastErrorText());
    importRegFile(copy);
}
