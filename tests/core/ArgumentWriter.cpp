// A program for tests that start processes: it writes what it was given to a
// file, so that a test can see that it ran and with which arguments.
//   argument-writer FILE ARGS...   writes FILE and ARGS, one a line, to FILE
//   argument-writer                writes "started" to its own path + ".txt"
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    std::wstring path, text;
    if (argc > 1) {
        path = argv[1];
        for (int i = 1; i < argc; ++i) text += std::wstring(argv[i]) + L"\n";
    } else {
        wchar_t self[MAX_PATH + 1];
        const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
        if (length == 0 || length > MAX_PATH) return 2;
        path = std::wstring(self, length) + L".txt";
        text = L"started\n";
    }
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) return 1;
    fwrite(text.data(), sizeof(wchar_t), text.size(), out);
    return fclose(out) == 0 ? 0 : 1;
}
