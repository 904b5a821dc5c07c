#include "registry/RegistryStorageValue.h"

#include <cstring>

#include "core/Constants.h"
#include "core/Exception.h"
#include "core/StringUtil.h"

namespace {

constexpr uint32_t REG_SZ_TYPE = 1;
constexpr uint32_t REG_EXPAND_SZ_TYPE = 2;
constexpr uint32_t REG_BINARY_TYPE = 3;
constexpr uint32_t REG_MULTI_SZ_TYPE = 7;
// A line is broken after the first comma past this column.
constexpr size_t wrapColumn = 76;

// Backslash and double quote escaped, the way the registry editor unescapes
// both quoted names and quoted data.
std::wstring quoted(const std::wstring& text) {
    std::wstring out = L"\"";
    for (const wchar_t c : text) {
        if (c == L'\\' || c == L'"') out += L'\\';
        out += c;
    }
    return out + L"\"";
}

std::wstring hexNumber(uint32_t n) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), L"0123456789abcdef"[n % 16]);
        n /= 16;
    } while (n != 0);
    return digits;
}

size_t writeTypedPrefix(std::wostream& out, uint32_t type) {
    const std::wstring prefix = L"hex(" + hexNumber(type) + L"):";
    out << prefix;
    return prefix.size();
}

// The bytes from the given column on, wrapped with a trailing backslash.
void writeBytes(std::wostream& out, const uint8_t* bytes, size_t count, size_t column) {
    for (size_t i = 0; i < count; ++i) {
        out << byteToHex(bytes[i]);
        column += 2;
        if (i + 1 == count) break;
        out << L',';
        if (++column > wrapColumn) {
            out << L"\\\r\n  ";
            column = 2;
        }
    }
    out << L"\r\n";
}

std::vector<uint8_t> terminatedBytes(const std::wstring& text) {
    std::vector<uint8_t> bytes((text.size() + 1) * 2, 0);
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
    }
    return bytes;
}

}  // namespace

bool RegistryStorage::Value::breaksLine(const std::wstring& text) {
    static const wchar_t breaks[] = {L'\r', L'\n', L'\0'};
    return text.find_first_of(breaks, 0, 3) != std::wstring::npos;
}

size_t RegistryStorage::Value::writeName(std::wostream& out) const {
    if (default_) {
        out << L"@=";
        return 2;
    }
    if (breaksLine(name_)) {
        throw IOException(L"value name with line break or NUL can't be written: " + name_);
    }
    const std::wstring part = quoted(name_) + L"=";
    out << part;
    return part.size();
}

void RegistryStorage::DWORDValue::write(std::wostream& out) const {
    writeName(out);
    std::wstring digits = hexNumber(value_);
    out << L"dword:" << std::wstring(8 - digits.size(), L'0') << digits << L"\r\n";
}

std::wstring RegistryStorage::DWORDValue::toString() const {
    return ::toString(static_cast<int32_t>(value_));
}

void RegistryStorage::SZValue::write(std::wostream& out) const {
    const size_t column = writeName(out);
    if (breaksLine(text_)) {
        const std::vector<uint8_t> bytes = terminatedBytes(text_);
        writeBytes(out, bytes.data(), bytes.size(), column + writeTypedPrefix(out, REG_SZ_TYPE));
        return;
    }
    out << quoted(text_) << L"\r\n";
}

RegistryStorage::AbstractHexValue::AbstractHexValue(const std::wstring& name, uint32_t type,
                                                    const void* bytes, size_t count)
    : Value(name),
      type_(type),
      bytes_(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + count) {}

void RegistryStorage::AbstractHexValue::write(std::wostream& out) const {
    const size_t column = writeName(out);
    writeBytes(out, bytes_.data(), bytes_.size(), column + writeTypePrefix(out));
}

std::wstring RegistryStorage::AbstractHexValue::toString() const {
    std::wstring text(bytes_.size() / 2, L'\0');
    std::memcpy(text.data(), bytes_.data(), text.size() * 2);
    return text;
}

size_t RegistryStorage::AbstractHexValue::writeTypePrefix(std::wostream& out) const {
    return writeTypedPrefix(out, type_);
}

RegistryStorage::BINARYValue::BINARYValue(const std::wstring& name, const void* bytes, size_t count)
    : AbstractHexValue(name, REG_BINARY_TYPE, bytes, count) {}

size_t RegistryStorage::BINARYValue::writeTypePrefix(std::wostream& out) const {
    out << L"hex:";
    return 4;
}

RegistryStorage::HexStringValue::HexStringValue(const std::wstring& name, uint32_t type,
                                                const std::wstring& text)
    : AbstractHexValue(name, type, terminatedBytes(text).data(), (text.size() + 1) * 2),
      text_(text) {}

RegistryStorage::EXPAND_SZValue::EXPAND_SZValue(const std::wstring& name, const std::wstring& text)
    : HexStringValue(name, REG_EXPAND_SZ_TYPE, text) {}

RegistryStorage::MULTI_SZValue::MULTI_SZValue(const std::wstring& name, const std::wstring& text)
    : HexStringValue(name, REG_MULTI_SZ_TYPE, text) {}

void RegistryStorage::DeleteValue::write(std::wostream& out) const {
    writeName(out);
    out << L"-\r\n";
}
