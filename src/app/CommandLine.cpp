#include "app/CommandLine.h"

#include <windows.h>

#include <shellapi.h>

#include "core/Exception.h"
#include "core/Platform.h"

CommandLine::CommandLine(const std::vector<std::wstring>& arguments) {
    std::wstring pending;
    for (const std::wstring& argument : arguments) {
        if (!argument.empty() && argument[0] == L'/') {
            // An option directly after another leaves that one without a value.
            if (!pending.empty()) applyOption(pending, L"");
            pending = argument;
        } else if (pending.empty()) {
            throw ConfigException(L"invalid argument: " + argument);
        } else {
            applyOption(pending, argument);
            pending.clear();
        }
    }
    if (!pending.empty()) applyOption(pending, L"");
}

void CommandLine::applyOption(const std::wstring& name, const std::wstring& value) {
    if (name != L"/items") throw ConfigException(L"invalid argument: " + name + L" " + value);
    if (value.empty()) throw ConfigException(L"/items needs to specify the directory");
    itemsDirectory_ = value;
}

std::vector<std::wstring> CommandLine::processArguments() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argv == nullptr) throw Exception(L"CommandLineToArgvW() failed: " + lastErrorText());
    std::vector<std::wstring> arguments;
    try {
        for (int i = 1; i < count; ++i) arguments.emplace_back(argv[i]);
    } catch (...) {
        LocalFree(argv);
        throw;
    }
    LocalFree(argv);
    return arguments;
}
