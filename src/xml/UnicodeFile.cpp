#include "xml/UnicodeFile.h"

#include <windows.h>

#include "core/Exception.h"
#include "core/FileHandle.h"
#include "core/Platform.h"

namespace {

static_assert(sizeof(wchar_t) == 2, "the file's code units are read straight into the string");

[[noreturn]] void failRead(const std::wstring& path) {
    throw IOException(L"Failed to read: " + path + L" : " + lastErrorText());
}

void readExactly(HANDLE file, void* buffer, DWORD size, const std::wstring& path) {
    DWORD read = 0;
    if (!ReadFile(file, buffer, size, &read, nullptr) || read != size) failRead(path);
}

}  // namespace

size_t readUnicodeFile(const std::wstring& path, std::wstring& text) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) throw FileNotFoundException(path);
        throw IOException(L"Failed to open: " + path + L" : " + lastErrorText());
    }

    DWORD sizeHigh = 0;
    const DWORD size = GetFileSize(file.get(), &sizeHigh);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        throw IOException(L"Failed to get file size: " + path + L" : " + lastErrorText());
    }
    // Past 4 GiB the size no longer fits the 32-bit reads below; reading only
    // the low part would silently cut the file.
    if (sizeHigh != 0) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        throw IOException(L"Failed to get file size: " + path + L" : " + lastErrorText());
    }
    if (size < 2 || size % 2 != 0) throw IOException(L"No unicode file: " + path);

    unsigned char mark[2];
    readExactly(file.get(), mark, sizeof mark, path);
    if (mark[0] != 0xFF || mark[1] != 0xFE) throw IOException(L"No unicode little file: " + path);

    std::wstring content((size - 2) / 2, L'\0');
    if (!content.empty()) readExactly(file.get(), content.data(), size - 2, path);
    text.swap(content);
    return text.size();
}
