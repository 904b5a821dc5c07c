// Loads the library named by its bare name, as a careless program would:
// what it loads shows that a library planted beside a program can be loaded.
#include <windows.h>

int wmain(int argc, wchar_t** argv) { return argc > 1 && LoadLibraryW(argv[1]) ? 0 : 1; }
