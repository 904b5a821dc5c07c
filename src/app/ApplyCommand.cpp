#include "app/ApplyCommand.h"

#include <algorithm>

#include "app/UndoFile.h"
#include "config/CatalogueWalk.h"
#include "config/ItemGroup.h"
#include "core/Exception.h"
#include "core/Platform.h"
#include "core/StringUtil.h"
#include "items/Item.h"
#include "items/Targets.h"

namespace {

// A script reads one line per setting.
std::wstring oneLine(std::wstring text) {
    std::replace_if(
        text.begin(), text.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L' ');
    return text;
}

}  // namespace

CommandOutput ApplyCommand::run(const std::wstring& fileName, const std::wstring& itemsDirectory,
                                uint32_t filter) {
    const SettingsFile file(fileName, itemsDirectory, filter);
    CommandOutput output{L"", L"", DONE};
    if (!file.getRefusals().empty()) {
        for (const std::wstring& refusal : file.getRefusals()) output.errors += refusal + L"\n";
        output.exitCode = REFUSED;
        return output;
    }
    for (const SettingsFile::Setting& setting : file.getSettings())
        if (setting.differs) SettingsFile::takeValue(*setting.machine, *setting.file);

    // Nobody is there to be asked whether to go on without a way back.
    const UndoFile undo(file.getCategories());
    if (!undo.isEmpty())
        output.lines += L"undo " +
                        undo.save(UndoFile::defaultFolders(isElevated()), UndoFile::timeStem()) +
                        L"\n";

    // Every item, as the window applies: only those given the file's values
    // have anything to write.
    int32_t applied = 0;
    int32_t failed = 0;
    int32_t maxPostChanged = PostChanged::NOTHING;
    forEachItem(file.getCategories(), [&](Item& item) {
        const bool wasApplied = item.isApplied();
        try {
            item.apply();
        } catch (const Exception& e) {
            ++failed;
            output.lines +=
                L"failed " + qualifiedIdOf(item) + L" " + oneLine(e.getMessage()) + L"\n";
            return;
        }
        if (!item.isApplied() || wasApplied) return;
        ++applied;
        maxPostChanged = std::max(maxPostChanged, item.getPostChanged());
        output.lines +=
            L"applied " + qualifiedIdOf(item) + L" " + SettingsFile::valueText(item) + L"\n";
    });
    const wchar_t* const then[] = {L"none", L"logoff", L"restart"};
    output.lines += L"applied=" + toString(applied) + L" failed=" + toString(failed) + L" then=" +
                    then[maxPostChanged] + L"\n";
    if (failed != 0) {
        output.exitCode = FAILED;
    } else if (maxPostChanged == PostChanged::REBOOT) {
        output.exitCode = RESTART_DUE;
    } else if (maxPostChanged == PostChanged::LOGOFF) {
        output.exitCode = LOGOFF_DUE;
    }
    return output;
}
