#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Category;
class Item;

// What a command on a settings file prints, on standard output and
// standard error, and the exit code it ends with.
struct CommandOutput {
    std::wstring lines;
    std::wstring errors;
    int exitCode;
};

// A settings file (a registry script as velmora saves and exports them) held
// against the catalogue, setting by setting. The catalogue is loaded twice:
// as the machine holds it, and with every read going through the registry
// as importing the file would leave it, so that each item reads what the
// file gives it through its own code, as it reads the registry. A line of
// the file is taken only when the items of the catalogue that the target
// filter meets record exactly that line when they are saved in the state
// that the file gives them: the file can set no more than the catalogue's
// own settings, and only to values they take.
class SettingsFile {
public:
    struct Setting {
        // The item as the machine holds it, for applying.
        Item* machine;
        // The same item as the file would leave it.
        const Item* file;
        bool differs;
    };

    // Throws Exception when the file cannot be read whole or is no registry
    // script that the reader takes (naming the line), or when the catalogue
    // cannot be loaded.
    SettingsFile(const std::wstring& fileName, const std::wstring& itemsDirectory, uint32_t filter);

    // One line for each line of the file that no setting takes, naming it;
    // a file with any is never applied.
    const std::vector<std::wstring>& getRefusals() const { return refusals_; }
    // The settings that the file sets, in catalogue order.
    const std::vector<Setting>& getSettings() const { return settings_; }
    // The catalogue as the machine holds it.
    const std::vector<Category*>& getCategories() const { return machine_; }

    // The value of an item as the dump prints it, or "inherited" for an
    // adapter's copy that follows the system-wide setting.
    static std::wstring valueText(const Item& item);
    // Gives the item the value, or the inheritance, that the other holds.
    static void takeValue(Item& item, const Item& from);

private:
    std::vector<Category*> machine_;
    std::vector<std::wstring> refusals_;
    std::vector<Setting> settings_;
};
