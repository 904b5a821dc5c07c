#pragma once

#include <cstdint>
#include <string>

#include "app/SettingsFile.h"

// velmora-dump /check: compares the machine with a settings file, setting by
// setting, each as its item compares. One line per setting that differs,
// "<qualified id> <value now> <value in the file>", one per line of the
// file that no setting takes (see SettingsFile), and last
// "differ=<n> same=<n> refused=<n>". Exit code 0 when all match, 1 when
// anything differs or is refused. Throws Exception, as SettingsFile does,
// for a file or catalogue that cannot be used.
class CheckCommand {
public:
    static constexpr int SAME = 0;
    static constexpr int DIFFERENT = 1;

    static CommandOutput run(const std::wstring& fileName, const std::wstring& itemsDirectory,
                             uint32_t filter);
};
