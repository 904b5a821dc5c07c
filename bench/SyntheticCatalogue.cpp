#include "SyntheticCatalogue.h"

#include <cstring>
#include <stdexcept>

#include "Timing.h"
#include "core/Exception.h"
#include "items/CheckItem.h"
#include "items/ToggleItem.h"
#include "items/ValueItem.h"
#include "registry/RegistryStorage.h"
#include "registry/RegistryStorageKey.h"

namespace {

constexpr size_t itemsPerGroup = 15;
constexpr size_t groupsPerCategory = 4;
constexpr size_t categoriesPerParent = 8;

std::vector<BYTE> dwordData(DWORD number) {
    std::vector<BYTE> data(sizeof number);
    std::memcpy(data.data(), &number, sizeof number);
    return data;
}

// With its terminating NUL, as RegSetValueExW takes a string.
std::vector<BYTE> textData(const std::wstring& text) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

std::wstring number(size_t n) { return std::to_wstring(n); }

// The kinds in about the shares the shipped catalogue has them: check boxes
// and number fields most, choices of DWORDs next, choices of texts fewer.
SyntheticItem::Kind kindOf(size_t index, bool checksOnly) {
    if (checksOnly) return SyntheticItem::CHECK;
    switch (index % 10) {
        case 0:
        case 3:
        case 6:
        case 8:
            return SyntheticItem::CHECK;
        case 1:
        case 4:
        case 7:
            return SyntheticItem::NUMBER;
        case 2:
        case 5:
            return SyntheticItem::CHOICE;
        default:
            return SyntheticItem::TEXT_CHOICE;
    }
}

SyntheticItem makeItem(size_t index, const std::wstring& subKey, bool checksOnly) {
    SyntheticItem item{kindOf(index, checksOnly), subKey, L"v" + number(index), REG_DWORD, {}};
    const DWORD n = static_cast<DWORD>(index % 50000);
    switch (item.kind) {
        case SyntheticItem::CHECK:
            // Checked, where the default is not: an item that read nothing
            // would show.
            item.data[0] = dwordData(1);
            item.data[1] = dwordData(0);
            // Neither datum: the program would read it as its default.
            item.data[2] = dwordData(2);
            item.data[3] = dwordData(3);
            break;
        case SyntheticItem::NUMBER:
            item.data[0] = dwordData(100000 + n);
            item.data[1] = dwordData(200000 + n);
            item.data[2] = dwordData(300000 + n);
            item.data[3] = dwordData(400000 + n);
            break;
        case SyntheticItem::CHOICE:
            // Choices 0, 1 and 2; the planted one is not the default.
            item.data[0] = dwordData(1);
            item.data[1] = dwordData(2);
            item.data[2] = dwordData(0);
            item.data[3] = dwordData(3);
            break;
        case SyntheticItem::TEXT_CHOICE:
            item.type = REG_SZ;
            item.data[0] = textData(L"b");
            item.data[1] = textData(L"c");
            item.data[2] = textData(L"a");
            item.data[3] = textData(L"d");
            break;
    }
    return item;
}

// A help text of the length and markup the shipped ones have.
std::wstring helpOf(size_t index) {
    return L"合成項目 " + number(index) +
           L" の説明です。値を変えると、次にプログラムを開いたときに効きます。&lt;br&gt;"
           L"既定: 0 (無効)&lt;br&gt;大きくすると処理が速くなりますが、メモリを多く使います。"
           L"&lt;br&gt;変更後: ログオフが必要です。&lt;br&gt;出典: ベンチマーク用の定義";
}

std::wstring paramsOf(const SyntheticItem& item) {
    const std::wstring head = L"      <params><key>HKEY_CURRENT_USER\\" + item.subKey +
                              L"</key><value>" + item.valueName + L"</value>";
    switch (item.kind) {
        case SyntheticItem::CHECK:
            return head +
                   L"<type>REG_DWORD</type>\r\n        <true>1</true><false>0</false>"
                   L"<default>0</default><label>有効にする</label></params>\r\n";
        case SyntheticItem::NUMBER:
            return head +
                   L"<type>REG_DWORD</type><default>65536</default>\r\n        <min>0</min>"
                   L"<max>1000000</max><unit>バイト</unit></params>\r\n";
        case SyntheticItem::CHOICE:
            return head +
                   L"<type>REG_DWORD</type><default>0</default>\r\n        <select>"
                   L"<item value=\"0\">自動</item><item value=\"1\">常に</item>"
                   L"<item value=\"2\">しない</item></select></params>\r\n";
        case SyntheticItem::TEXT_CHOICE:
            return head +
                   L"<type>REG_SZ</type><default>a</default>\r\n        <select>"
                   L"<item value=\"a\">甲</item><item value=\"b\">乙</item>"
                   L"<item value=\"c\">丙</item></select></params>\r\n";
    }
    return head;
}

const wchar_t* classOf(SyntheticItem::Kind kind) {
    switch (kind) {
        case SyntheticItem::CHECK:
            return L"velmora.reg.RegCheckItem";
        case SyntheticItem::NUMBER:
            return L"velmora.reg.RegValueItem";
        default:
            return L"velmora.reg.RegToggleItem";
    }
}

std::wstring itemDefinition(const SyntheticItem& item, size_t index) {
    return L"    <item class=\"" + std::wstring(classOf(item.kind)) + L"\" id=\"i" + number(index) +
           L"\">\r\n      <name>設定 " + number(index) + L"</name>\r\n      <affectTarget>" +
           (index % 2 == 0 ? L"system" : L"user") + L"</affectTarget>\r\n" + paramsOf(item) +
           L"      <help>" + helpOf(index) + L"</help>\r\n    </item>\r\n";
}

const char* kindName(SyntheticItem::Kind kind) {
    switch (kind) {
        case SyntheticItem::CHECK:
            return "check";
        case SyntheticItem::NUMBER:
            return "number";
        case SyntheticItem::CHOICE:
            return "choice";
        default:
            return "text choice";
    }
}

std::runtime_error registryError(const char* call, const SyntheticItem& item, LONG result) {
    return std::runtime_error(format("%s %s\\%s failed: %ld", call, narrow(item.subKey).c_str(),
                                     narrow(item.valueName).c_str(), static_cast<long>(result)));
}

}  // namespace

std::string narrow(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            size, nullptr, nullptr);
    }
    return bytes;
}

void writeUtf16File(const std::wstring& path, const std::wstring& text) {
    const std::wstring content = L"\xFEFF" + text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("CreateFileW " + narrow(path) + " failed");
    const DWORD size = static_cast<DWORD>(content.size() * sizeof(wchar_t));
    DWORD written = 0;
    const bool wrote = WriteFile(file, content.data(), size, &written, nullptr) && written == size;
    if (!CloseHandle(file) || !wrote)
        throw std::runtime_error("writing " + narrow(path) + " failed");
}

void makeDirectories(const std::wstring& path) {
    const size_t separator = path.find_last_of(L'\\');
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    if (separator != std::wstring::npos && separator > 2)
        makeDirectories(path.substr(0, separator));
    if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("CreateDirectoryW " + narrow(path) + " failed");
}

void removeDirectory(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found)) {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring child = path + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            removeDirectory(child);
        } else {
            DeleteFileW(child.c_str());
        }
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    RemoveDirectoryW(path.c_str());
}

ScratchKey::ScratchKey() {
    RegDeleteTreeW(HKEY_CURRENT_USER, subKey);
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, subKey, 0, nullptr, 0, KEY_WRITE,
                                        nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        throw std::runtime_error(format("RegCreateKeyExW scratch key failed: %ld", result));
    RegCloseKey(key);
}

ScratchKey::~ScratchKey() { RegDeleteTreeW(HKEY_CURRENT_USER, subKey); }

SyntheticCatalogue::SyntheticCatalogue(const std::wstring& directory, size_t itemCount,
                                       bool checksOnly)
    : directory_(directory),
      keyBase_(std::wstring(ScratchKey::subKey) + (checksOnly ? L"\\c" : L"\\n") +
               number(itemCount)),
      checksOnly_(checksOnly) {
    makeDirectories(directory_);
    const size_t perCategory = itemsPerGroup * groupsPerCategory;
    const size_t categoryCount = (itemCount + perCategory - 1) / perCategory;
    std::wstring root = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<groups>\r\n";
    for (size_t category = 0; category < categoryCount; ++category) {
        const std::wstring c = number(category);
        std::wstring text = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<group id=\"c" + c +
                            L"\">\r\n  <name>合成カテゴリ " + c +
                            L"</name>\r\n  <help>ベンチマーク用のカテゴリ " + c +
                            L" です。&lt;br&gt;項目は仮のレジストリ キーを読みます。</help>\r\n";
        for (size_t group = 0; group < groupsPerCategory; ++group) {
            const size_t first = (category * groupsPerCategory + group) * itemsPerGroup;
            if (first >= itemCount) break;
            const std::wstring g = number(group);
            const std::wstring subKey = keyBase_ + L"\\c" + c + L"\\g" + g;
            text += L"  <group id=\"g" + g + L"\">\r\n    <name>グループ " + g +
                    L"</name>\r\n    <help>グループ " + g + L" のヘルプ。</help>\r\n";
            for (size_t index = first; index < first + itemsPerGroup && index < itemCount;
                 ++index) {
                items_.push_back(makeItem(index, subKey, checksOnly));
                text += itemDefinition(items_.back(), index);
            }
            text += L"  </group>\r\n";
        }
        text += L"</group>\r\n";
        writeUtf16File(directory_ + L"\\c" + c + L".xml", text);
        fileBytes_ += (text.size() + 1) * sizeof(wchar_t);

        const bool parent = category % categoriesPerParent == 0;
        const bool lastOfParent = category % categoriesPerParent == categoriesPerParent - 1 ||
                                  category + 1 == categoryCount;
        const std::wstring indent = parent ? L"  " : L"    ";
        root += indent + L"<group src=\"c" + c + L".xml\"" +
                (parent && category == 0 ? L" expand=\"true\"" : L"") +
                (parent && !lastOfParent ? L">\r\n" : L"/>\r\n");
        if (!parent && lastOfParent) root += L"  </group>\r\n";
    }
    root += L"</groups>\r\n";
    writeUtf16File(directory_ + L"\\root.xml", root);
    fileBytes_ += (root.size() + 1) * sizeof(wchar_t);
}

SyntheticCatalogue::~SyntheticCatalogue() {
    RegDeleteTreeW(HKEY_CURRENT_USER, keyBase_.c_str());
    removeDirectory(directory_);
}

void SyntheticCatalogue::plant() const {
    HKEY key = nullptr;
    const std::wstring* open = nullptr;
    for (const SyntheticItem& item : items_) {
        if (open == nullptr || *open != item.subKey) {
            if (key != nullptr) RegCloseKey(key);
            key = nullptr;
            const LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, item.subKey.c_str(), 0, nullptr,
                                                0, KEY_WRITE, nullptr, &key, nullptr);
            if (result != ERROR_SUCCESS) throw registryError("RegCreateKeyExW", item, result);
            open = &item.subKey;
        }
        const LONG result =
            RegSetValueExW(key, item.valueName.c_str(), 0, item.type, item.data[0].data(),
                           static_cast<DWORD>(item.data[0].size()));
        if (result != ERROR_SUCCESS) {
            RegCloseKey(key);
            throw registryError("RegSetValueExW", item, result);
        }
    }
    if (key != nullptr) RegCloseKey(key);
}

double SyntheticCatalogue::bareRead() const {
    size_t mismatches = 0;
    const double start = now();
    for (const SyntheticItem& item : items_) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, item.subKey.c_str(), 0, KEY_QUERY_VALUE, &key) !=
            ERROR_SUCCESS) {
            ++mismatches;
            continue;
        }
        BYTE data[64];
        DWORD type = 0;
        DWORD size = sizeof data;
        const LONG result =
            RegQueryValueExW(key, item.valueName.c_str(), nullptr, &type, data, &size);
        RegCloseKey(key);
        const std::vector<BYTE>& expected = item.data[0];
        if (result != ERROR_SUCCESS || type != item.type || size != expected.size() ||
            std::memcmp(data, expected.data(), size) != 0) {
            ++mismatches;
        }
    }
    const double took = now() - start;
    if (mismatches != 0)
        throw std::runtime_error(format("bare read: %zu values not as planted", mismatches));
    return took;
}

double SyntheticCatalogue::bareWrite() const {
    const double start = now();
    for (const SyntheticItem& item : items_) {
        HKEY key = nullptr;
        LONG result = RegOpenKeyExW(HKEY_CURRENT_USER, item.subKey.c_str(), 0, KEY_SET_VALUE, &key);
        if (result != ERROR_SUCCESS) throw registryError("RegOpenKeyExW", item, result);
        result = RegSetValueExW(key, item.valueName.c_str(), 0, item.type, item.data[2].data(),
                                static_cast<DWORD>(item.data[2].size()));
        RegCloseKey(key);
        if (result != ERROR_SUCCESS) throw registryError("RegSetValueExW", item, result);
    }
    return now() - start;
}

void SyntheticCatalogue::checkRegistry(int phase, const char* after) const {
    for (const SyntheticItem& item : items_) {
        HKEY key = nullptr;
        BYTE data[64];
        DWORD type = 0;
        DWORD size = sizeof data;
        LONG result =
            RegOpenKeyExW(HKEY_CURRENT_USER, item.subKey.c_str(), 0, KEY_QUERY_VALUE, &key);
        if (result == ERROR_SUCCESS) {
            result = RegQueryValueExW(key, item.valueName.c_str(), nullptr, &type, data, &size);
            RegCloseKey(key);
        }
        const std::vector<BYTE>& expected = item.data[phase];
        if (result != ERROR_SUCCESS || type != item.type || size != expected.size() ||
            std::memcmp(data, expected.data(), size) != 0) {
            throw std::runtime_error(format("after %s, %s value %s\\%s does not hold phase %d",
                                            after, kindName(item.kind), narrow(item.subKey).c_str(),
                                            narrow(item.valueName).c_str(), phase));
        }
    }
}

void SyntheticCatalogue::saveRegistryScript(const std::wstring& path, int phase) const {
    RegistryStorage script(path);
    for (const SyntheticItem& item : items_) {
        RegistryStorage::Key& key = script.getKey(L"HKEY_CURRENT_USER\\" + item.subKey);
        const std::vector<BYTE>& data = item.data[phase];
        if (item.type == REG_DWORD) {
            DWORD value = 0;
            std::memcpy(&value, data.data(), sizeof value);
            key.setDWORD(item.valueName, value);
        } else {
            key.setSZ(item.valueName, reinterpret_cast<const wchar_t*>(data.data()));
        }
    }
    try {
        script.save();
    } catch (const Exception& e) {
        throw std::runtime_error("saving " + narrow(path) + ": " + narrow(e.getMessage()));
    }
}

const SyntheticItem& SyntheticCatalogue::entryOf(const Item& item) const {
    const std::wstring& id = item.getId();
    const size_t index = id.size() > 1 && id[0] == L'i' ? std::stoul(id.substr(1)) : items_.size();
    if (index >= items_.size()) throw std::runtime_error("unknown item " + narrow(id));
    return items_[index];
}

void SyntheticCatalogue::setPhase(Item& item, int phase) const {
    const SyntheticItem& entry = entryOf(item);
    switch (entry.kind) {
        case SyntheticItem::CHECK:
            dynamic_cast<CheckItem&>(item).setCurrentState(phase == 0);
            break;
        case SyntheticItem::NUMBER: {
            DWORD value = 0;
            std::memcpy(&value, entry.data[phase].data(), sizeof value);
            dynamic_cast<ValueItem&>(item).setCurrentValue(static_cast<int32_t>(value));
            break;
        }
        default:
            // Choice 1 is planted, choice 2 written.
            dynamic_cast<ToggleItem&>(item).setCurrentIndex(phase + 1);
            break;
    }
}

bool SyntheticCatalogue::storesPhase(const Item& item, int phase) const {
    const SyntheticItem& entry = entryOf(item);
    switch (entry.kind) {
        case SyntheticItem::CHECK:
            return dynamic_cast<const CheckItem&>(item).getStoredState() == (phase == 0);
        case SyntheticItem::NUMBER: {
            DWORD value = 0;
            std::memcpy(&value, entry.data[phase].data(), sizeof value);
            return dynamic_cast<const ValueItem&>(item).getStoredValue() ==
                   static_cast<int32_t>(value);
        }
        default:
            return dynamic_cast<const ToggleItem&>(item).getStoredIndex() == phase + 1;
    }
}
