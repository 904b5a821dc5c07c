// Writes the parser tests' inputs as UTF-16LE files, the fuzzer's starting
// corpus.
#include <cstdio>
#include <fstream>
#include <string>

#include "ParserCases.h"

namespace {

void write(const std::string& dir, int index, const std::wstring& text) {
    std::ofstream out(dir + "/seed-" + std::to_string(index), std::ios::binary);
    for (wchar_t c : text) {
        out.put(static_cast<char>(c & 0xFF));
        out.put(static_cast<char>((c >> 8) & 0xFF));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    int index = 0;
    for (const auto& c : parser_cases::failures()) write(dir, index++, c.text);
    for (const auto& c : parser_cases::markup())
        write(dir, index++, parser_cases::declaration + c.body);
    for (const auto& c : parser_cases::text())
        write(dir, index++, parser_cases::declaration + c.body);
    write(dir, index++, parser_cases::definition);
    std::printf("%d seeds written to %s\n", index, dir.c_str());
    return 0;
}
