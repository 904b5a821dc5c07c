#include "items/ByteText.h"

#include "core/StringUtil.h"

std::wstring bytesToText(const std::vector<uint8_t>& bytes) {
    std::wstring text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) text += L',';
        text += byteToHex(bytes[i]);
    }
    return text;
}

std::vector<uint8_t> textToBytes(const std::wstring& text) {
    std::vector<uint8_t> bytes;
    // Unsigned, so that a long group wraps instead of overflowing; only its
    // low 8 bits are kept anyway.
    uint32_t accumulator = 0;
    for (wchar_t c : text) {
        if (c == L',') {
            bytes.push_back(static_cast<uint8_t>(accumulator));
            accumulator = 0;
        } else {
            accumulator = accumulator * 16 + static_cast<uint32_t>(hexDigitValue(c));
        }
    }
    if (!text.empty() && text.back() != L',') bytes.push_back(static_cast<uint8_t>(accumulator));
    return bytes;
}
