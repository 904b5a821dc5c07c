#include "items/ByteText.h"

#include <gtest/gtest.h>

#include "core/Exception.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(ByteText, BytesReadAsLowerCaseHexSeparatedByCommas) {
    const std::vector<std::pair<Bytes, std::wstring>> cases = {
        {{}, L""},
        {{0x00}, L"00"},
        {{0x01, 0x0A, 0xFF}, L"01,0a,ff"},
        {{0x10, 0x00, 0x00, 0x80}, L"10,00,00,80"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(bytesToText(bytes), text);
}

TEST(ByteText, TextTurnsIntoBytesLeniently) {
    const std::vector<std::pair<std::wstring, Bytes>> cases = {
        {L"", {}},
        {L"01,0a,ff", {0x01, 0x0A, 0xFF}},
        {L"01,0A,FF", {0x01, 0x0A, 0xFF}},
        {L"1,a", {0x01, 0x0A}},
        {L"01,00,", {0x01, 0x00}},
        {L"01,,02", {0x01, 0x00, 0x02}},
        {L",", {0x00}},
        {L"1ff", {0xFF}},
        // Far more digits than fit 32 bits: only the low byte survives.
        {L"123456789abcdef0123456789abcde7f", {0x7F}},
    };
    for (const auto& [text, bytes] : cases) EXPECT_EQ(textToBytes(text), bytes) << text;
}

TEST(ByteText, AnythingButDigitsAndCommasFails) {
    for (const std::wstring text : {L"01 02", L"0x01", L"g0", L"01;02"}) {
        EXPECT_THROW(textToBytes(text), NumberFormatException) << text;
    }
}

}  // namespace
