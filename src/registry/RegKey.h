#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "registry/RegKeyHandle.h"

class RegistryLayer;

// One open registry key. Every failing registry call becomes a
// RegKeyException with a fixed message. A value name of NULL_STRING means the
// key's unnamed default value; the empty name is refused, and so is any key
// path or name holding a NUL (IllegalArgumentException naming it).
//
// Registry paths are a root name ("HKEY_CURRENT_USER" and the three others,
// exact case), a backslash and the subkey path; a root name alone is the root.
class RegKey {
public:
    // Access masks: reading (and testing for existence), and changing, which
    // creates a missing key.
    static constexpr REGSAM READ = 0x20019;
    static constexpr REGSAM CHANGE = 0x2001F;

    // The raw contents of a value, exactly as the registry holds them.
    struct RawValue {
        DWORD type;
        std::vector<uint8_t> data;
    };

    RegKey(HKEY root, const std::wstring& subKey, REGSAM access, DWORD options = 0);
    RegKey(const std::wstring& path, REGSAM access);
    // Opens with the given options; REG_OPTION_OPEN_LINK opens a link key
    // itself instead of the key it points to.
    RegKey(const std::wstring& path, REGSAM access, DWORD options);
    // Whether the key is there: false only when the registry says it is
    // missing, so that a key that cannot be read is never taken for absent.
    // Throws RegKeyException "open key: " + path for any other failure.
    static bool exists(const std::wstring& path);

    // While one lives, every key opened by its path reads the registry as
    // the layer's script would leave it, and none opened so can be written:
    // the catalogue then loads as it would stand after an import, with
    // nothing imported. Keys opened from a root handle read the registry.
    class Layered {
    public:
        explicit Layered(const RegistryLayer& layer);
        ~Layered();
        Layered(const Layered&) = delete;
        Layered& operator=(const Layered&) = delete;
    };

    // Closes what close() has not; a failure there cannot be thrown and is only
    // told to the debugger.
    virtual ~RegKey();
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // Throws IllegalArgumentException "rootString: " + text for anything but
    // the four root names.
    static HKEY rootFromString(const std::wstring& rootName);

    // Closes the key now, for callers that must know that it worked: a failure
    // throws std::runtime_error "close key". The key is closed either way.
    void close();
    HKEY getHandle() const { return handle_.get(); }

    bool hasValue(const std::wstring& name) const;
    DWORD getDWORD(const std::wstring& name) const;
    DWORD getDWORD(const std::wstring& name, DWORD defaultValue) const;
    std::vector<uint8_t> getBytes(const std::wstring& name) const;
    // The data of a string value less its terminating NUL; data stored without
    // one reads whole. REG_EXPAND_SZ is not expanded.
    std::wstring getString(const std::wstring& name) const;
    std::wstring getString(const std::wstring& name, const std::wstring& defaultValue) const;
    // Any value, of any type and size, byte for byte.
    RawValue getRawValue(const std::wstring& name) const;
    // As getRawValue, or nothing when the key holds no value of that name.
    std::optional<RawValue> findRawValue(const std::wstring& name) const;
    // As getRawValue, by the name enumeration lists: the empty name is the
    // default value and every other name is taken as it is, U+FFFF too.
    RawValue getEnumeratedValue(const std::wstring& name) const;
    // Whether the key is a registry link, which only a key opened with
    // REG_OPTION_OPEN_LINK shows.
    bool isLink() const;
    std::vector<std::wstring> getSubKeyNames() const;
    // The default value, when set, is listed under the empty name.
    std::map<std::wstring, DWORD> getValueTypes() const;

    void setDWORD(const std::wstring& name, DWORD value);
    void setBytes(const std::wstring& name, const void* data, DWORD size);
    // Writes the text and one terminating unit; a REG_MULTI_SZ text brings its
    // inner terminators and one at its end.
    void setString(const std::wstring& name, DWORD type, const std::wstring& text);
    void deleteValue(const std::wstring& name);
    // Deletes a direct subkey that has no subkeys of its own. A link is
    // refused: RegKeyException "registry link can't be deleted: " + name.
    void deleteSubKey(const std::wstring& name);

    // Both do nothing when the key (or the parent) cannot be opened for
    // reading; the key itself is deleted as deleteSubKey does, a link refused
    // naming the path.
    static void deleteValueIfKeyExists(const std::wstring& path, const std::wstring& name);
    static void deleteKeyIfParentExists(const std::wstring& path);

private:
    static void deleteKeyItself(HKEY parent, const std::wstring& name, const std::wstring& shown);
    void open(HKEY root, const std::wstring& subKey, REGSAM access, DWORD options = 0);
    void openLayered(HKEY root, const std::wstring& subKey, REGSAM access, DWORD options);
    // A value as the layer shows it, or nothing when it is missing.
    std::optional<RawValue> lookUp(const std::wstring& name) const;
    // As lookUp, throwing as the typed reads do for a missing value or one
    // of another type than those given (any, when none are).
    RawValue layeredValue(const std::wstring& name, const DWORD* types, size_t typeCount) const;
    std::vector<std::wstring> registrySubKeyNames() const;
    std::map<std::wstring, DWORD> registryValueTypes() const;
    RawValue queryRaw(const wchar_t* registryName, const std::wstring& name) const;
    // Type and size of a value, checked against the types a read accepts.
    DWORD querySize(const std::wstring& name, const DWORD* types, size_t typeCount) const;
    void queryInto(const std::wstring& name, void* buffer, DWORD& size) const;

    RegKeyHandle handle_;
    // Set while a Layered lives; the handle is then empty for a key that
    // only the layer's script makes.
    const RegistryLayer* layer_ = nullptr;
    std::wstring path_;
};
