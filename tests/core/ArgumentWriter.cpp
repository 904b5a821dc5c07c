// For tests that start programs: "argument-writer FILE ARGS..." writes FILE
// and ARGS, one a line, to FILE, an absolute path; started otherwise (with no
// arguments, or with others) it writes "started" and the arguments, one a
// line, to its own path + ".txt".
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    wchar_t self[MAX_PATH + 1];
    GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
    const bool toFile = argc > 1 && argv[1][0] != L'\0' && argv[1][1] == L':';
    std::wstring path = toFile ? argv[1] : std::wstring(self) + L".txt", text = L"started\n";
    if (toFile) text.clear();
    for (int i = 1; i < argc; ++i) text += std::wstring(argv[i]) + L"\n";
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) return 1;
    fwrite(text.data(), sizeof(wchar_t), text.size(), out);
    return fclose(out) == 0 ? 0 : 1;
}
