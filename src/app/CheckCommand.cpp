#include "app/CheckCommand.h"

#include "config/ItemGroup.h"
#include "core/StringUtil.h"

CommandOutput CheckCommand::run(const std::wstring& fileName, const std::wstring& itemsDirectory,
                                uint32_t filter) {
    const SettingsFile file(fileName, itemsDirectory, filter);
    CommandOutput output{L"", L"", SAME};
    int32_t differing = 0;
    for (const std::wstring& refusal : file.getRefusals()) output.lines += refusal + L"\n";
    for (const SettingsFile::Setting& setting : file.getSettings()) {
        if (!setting.differs) continue;
        ++differing;
        output.lines += qualifiedIdOf(*setting.machine) + L" " +
                        SettingsFile::valueText(*setting.machine) + L" " +
                        SettingsFile::valueText(*setting.file) + L"\n";
    }
    const auto count = [](size_t n) { return toString(static_cast<int32_t>(n)); };
    output.lines += L"differ=" + toString(differing) + L" same=" +
                    count(file.getSettings().size() - static_cast<size_t>(differing)) +
                    L" refused=" + count(file.getRefusals().size()) + L"\n";
    if (differing != 0 || !file.getRefusals().empty()) output.exitCode = DIFFERENT;
    return output;
}
