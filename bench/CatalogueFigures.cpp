#include "CatalogueFigures.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <stdexcept>

#include "SyntheticCatalogue.h"
#include "Timing.h"
#include "config/CatalogueWalk.h"
#include "config/Category.h"
#include "config/CategoryTree.h"
#include "config/ClassTable.h"
#include "config/DefinitionLoader.h"
#include "config/ItemGroup.h"
#include "core/Exception.h"
#include "core/Platform.h"
#include "items/Item.h"
#include "items/SaveTarget.h"
#include "items/Targets.h"

namespace {

std::runtime_error failure(const char* what, const Exception& e) {
    return std::runtime_error(std::string(what) + ": " + narrow(e.getMessage()));
}

std::string readWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + narrow(path));
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    const bool ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    if (!ok || read != bytes.size()) throw std::runtime_error("cannot read " + narrow(path));
    return bytes;
}

// Saves every item as the window's save does with no target filter, and
// returns the seconds the items took to store themselves, before the file
// is written.
double saveAll(const std::vector<Category*>& categories, const std::wstring& path) {
    const double start = now();
    SaveTarget target(path);
    forEachItem(categories, [&](Item& item) {
        if (CategoryTree::meets(item.getAffectTarget(), AffectTarget::ALL)) item.store(target);
    });
    const double stored = now() - start;
    target.finish();
    return stored;
}

}  // namespace

LoadedCatalogue::LoadedCatalogue(const std::wstring& itemsDirectory) {
    try {
        DefinitionLoader loader(itemsDirectory);
        const double start = now();
        loader.loadAll();
        loadSeconds_ = now() - start;
        categories_ = loader.getCategories();
    } catch (const Exception& e) {
        throw failure("loading the catalogue", e);
    }
    forEachItem(categories_, [this](Item& item) { items_.push_back(&item); });
}

LoadedCatalogue::~LoadedCatalogue() {
    for (Category* category : categories_) {
        for (ItemGroup* group : category->getItemGroups()) {
            for (Item* item : group->getItems()) delete item;
            delete group;
        }
    }
    for (Category* category : categories_) delete category;
}

double timeLoad(const SyntheticCatalogue& catalogue, bool checkValues) {
    const LoadedCatalogue loaded(catalogue.getDirectory());
    if (loaded.getItems().size() != catalogue.getItems().size()) {
        throw std::runtime_error(format("loaded %zu items of %zu", loaded.getItems().size(),
                                        catalogue.getItems().size()));
    }
    if (checkValues) {
        for (const Item* item : loaded.getItems()) {
            if (!catalogue.storesPhase(*item, 0))
                throw std::runtime_error("item " + narrow(item->getId()) + " read no value");
        }
    }
    return loaded.getLoadSeconds();
}

ApplyRounds::ApplyRounds(const SyntheticCatalogue& catalogue, const std::wstring& workDirectory,
                         const std::wstring& regedit)
    : catalogue_(catalogue),
      loaded_(std::make_unique<LoadedCatalogue>(catalogue.getDirectory())),
      regedit_(regedit),
      regFile_(workDirectory + L"\\import.reg") {
    if (!regedit_.empty()) catalogue_.saveRegistryScript(regFile_, 3);
}

ApplyRounds::~ApplyRounds() { DeleteFileW(regFile_.c_str()); }

double ApplyRounds::applyByProgram() {
    phase_ = 1 - phase_;
    for (Item* item : loaded_->getItems()) catalogue_.setPhase(*item, phase_);
    // As the window's apply: each item in turn, noting what the changes
    // need afterwards; an item that fails is reported and the rest go on.
    int32_t maxPostChanged = 0;
    size_t failed = 0;
    const double start = now();
    forEachItem(loaded_->getCategories(), [&](Item& item) {
        try {
            item.apply();
            if (item.isApplied() && item.getPostChanged() >= maxPostChanged)
                maxPostChanged = item.getPostChanged();
        } catch (const Exception&) {
            ++failed;
        }
    });
    const double took = now() - start;
    if (failed != 0) throw std::runtime_error(format("%zu items failed to apply", failed));
    if (checks_[0] > 0) catalogue_.checkRegistry(phase_, "the program's apply");
    --checks_[0];
    return took;
}

double ApplyRounds::applyBare() {
    const double took = catalogue_.bareWrite();
    if (checks_[1] > 0) catalogue_.checkRegistry(2, "the bare writes");
    --checks_[1];
    return took;
}

double ApplyRounds::importByRegedit() {
    const std::wstring commandLine = L"\"" + regedit_ + L"\" /s \"" + regFile_ + L"\"";
    std::wstring writable = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = now();
    if (!CreateProcessW(regedit_.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        throw std::runtime_error(format("CreateProcessW regedit failed: %lu", GetLastError()));
    }
    const DWORD waited = WaitForSingleObject(process.hProcess, 300000);
    const double took = now() - start;
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 3);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (waited != WAIT_OBJECT_0) throw std::runtime_error("regedit did not end within 300 s");
    // The editor reports nothing: what it did is read back.
    if (checks_[2] > 0) catalogue_.checkRegistry(3, "regedit's import");
    --checks_[2];
    return took;
}

SaveRounds::SaveRounds(const SyntheticCatalogue& catalogue, const std::wstring& workDirectory)
    : loaded_(std::make_unique<LoadedCatalogue>(catalogue.getDirectory())),
      savePath_(workDirectory + L"\\saved.reg"),
      barePath_(workDirectory + L"\\bare.reg") {
    saveByProgram();
    bytes_ = readWholeFile(savePath_);
    // Every item's value on a line of its own: "v<index>"=...
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes_.data()),
                            bytes_.size() / sizeof(wchar_t));
    size_t values = 0;
    for (size_t at = text.find(L"\n\"v"); at != std::wstring::npos;
         at = text.find(L"\n\"v", at + 1)) {
        ++values;
    }
    if (values != loaded_->getItems().size()) {
        throw std::runtime_error(format("the saved file holds %zu values for %zu items", values,
                                        loaded_->getItems().size()));
    }
}

SaveRounds::~SaveRounds() {
    DeleteFileW(savePath_.c_str());
    DeleteFileW(barePath_.c_str());
}

double SaveRounds::saveByProgram() {
    const double start = now();
    try {
        storeSeconds_.push_back(saveAll(loaded_->getCategories(), savePath_));
    } catch (const Exception& e) {
        throw failure("saving", e);
    }
    return now() - start;
}

double SaveRounds::writeBare() {
    const double start = now();
    HANDLE file = CreateFileW(barePath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create " + narrow(barePath_));
    DWORD written = 0;
    const bool wrote =
        WriteFile(file, bytes_.data(), static_cast<DWORD>(bytes_.size()), &written, nullptr) &&
        written == bytes_.size();
    const bool closed = CloseHandle(file);
    const double took = now() - start;
    if (!wrote || !closed) throw std::runtime_error("cannot write " + narrow(barePath_));
    return took;
}

size_t childPeakWorkingSet(const std::wstring& itemsDirectory) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        throw std::runtime_error("CreatePipe failed");
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const std::wstring self = executablePath();
    std::wstring commandLine = L"\"" + self + L"\" --peak-child \"" + itemsDirectory + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        throw std::runtime_error(format("CreateProcessW of the child failed: %lu", GetLastError()));
    }
    std::string output;
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read != 0)
        output.append(buffer, read);
    CloseHandle(readEnd);
    const bool ended = WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process.hProcess, 3);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    unsigned long long peak = 0;
    if (!ended || exitCode != 0 || std::sscanf(output.c_str(), "peak %llu", &peak) != 1)
        throw std::runtime_error("the memory child failed: " + output);
    return static_cast<size_t>(peak);
}

int runPeakChild(const std::wstring& itemsDirectory) {
    restrictDllSearchToSystem();
    try {
        ClassTable::registerClasses();
        std::unique_ptr<LoadedCatalogue> loaded;
        if (!itemsDirectory.empty()) loaded = std::make_unique<LoadedCatalogue>(itemsDirectory);
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 1;
        say("peak %llu items %zu\n", static_cast<unsigned long long>(counters.PeakWorkingSetSize),
            loaded ? loaded->getItems().size() : 0);
        return 0;
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", narrow(e.getMessage()).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    return 1;
}
