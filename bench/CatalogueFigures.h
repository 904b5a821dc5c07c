#pragma once

#include <memory>
#include <string>
#include <vector>

class Category;
class Item;
class SyntheticCatalogue;

// A catalogue read as the program reads it, for as long as this object
// lives. The program keeps its catalogue until it ends; the benchmark loads
// many and frees each, untimed.
class LoadedCatalogue {
public:
    explicit LoadedCatalogue(const std::wstring& itemsDirectory);
    ~LoadedCatalogue();
    LoadedCatalogue(const LoadedCatalogue&) = delete;
    LoadedCatalogue& operator=(const LoadedCatalogue&) = delete;

    double getLoadSeconds() const { return loadSeconds_; }
    const std::vector<Category*>& getCategories() const { return categories_; }
    // Every item once, in the order the window applies and saves them.
    const std::vector<Item*>& getItems() const { return items_; }

private:
    std::vector<Category*> categories_;
    std::vector<Item*> items_;
    double loadSeconds_ = 0;
};

// Loads the catalogue and returns the seconds DefinitionLoader::loadAll
// took. Throws std::runtime_error when an item is missing or, with
// checkValues, did not read its planted value.
double timeLoad(const SyntheticCatalogue& catalogue, bool checkValues);

// The catalogue loaded once, its items changed and applied round after
// round; the bare side writes the same values, and the registry editor
// imports them from a .reg file (see SyntheticItem for what each writes).
// What each side wrote is read back, untimed, on its first two rounds.
class ApplyRounds {
public:
    // regedit: the editor's full path, or empty to leave it out.
    ApplyRounds(const SyntheticCatalogue& catalogue, const std::wstring& workDirectory,
                const std::wstring& regedit);
    ~ApplyRounds();

    double applyByProgram();
    double applyBare();
    double importByRegedit();

private:
    const SyntheticCatalogue& catalogue_;
    std::unique_ptr<LoadedCatalogue> loaded_;
    std::wstring regedit_;
    std::wstring regFile_;
    int phase_ = 0;              // what the program applied last
    int checks_[3] = {2, 2, 2};  // of the program, the bare side and the editor
};

// Saving the loaded catalogue to a .reg file as the window's save does,
// against writing the same bytes with one WriteFile.
class SaveRounds {
public:
    SaveRounds(const SyntheticCatalogue& catalogue, const std::wstring& workDirectory);
    ~SaveRounds();

    double saveByProgram();
    double writeBare();
    size_t getBytes() const { return bytes_.size(); }
    // Of each save by the program, the seconds before the file was written.
    const std::vector<double>& getStoreSeconds() const { return storeSeconds_; }

private:
    std::unique_ptr<LoadedCatalogue> loaded_;
    std::wstring savePath_;
    std::wstring barePath_;
    std::string bytes_;
    std::vector<double> storeSeconds_;
};

// The peak working set, in bytes, of a child process (this program, run
// with --peak-child) that registers the item classes and then loads the
// catalogue in itemsDirectory, or loads nothing when it is empty.
size_t childPeakWorkingSet(const std::wstring& itemsDirectory);
// The child's side: prints its own peak working set after the load.
int runPeakChild(const std::wstring& itemsDirectory);
