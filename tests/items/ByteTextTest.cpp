#include "items/ByteText.h"

#include <gtest/gtest.h>

#include "core/Exception.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(ByteText, WritesLowerCaseHexAndReadsLeniently) {
    EXPECT_EQ(bytesToText({}), L"");
    EXPECT_EQ(bytesToText({0x01, 0x0A, 0xFF}), L"01,0a,ff");
    const std::pair<std::wstring, Bytes> cases[] = {
        {L"", {}},
        {L"01,0A,ff", {0x01, 0x0A, 0xFF}},
        {L"1,a,", {0x01, 0x0A}},
        {L"01,,02", {0x01, 0x00, 0x02}},
        {L",", {0x00}},
        // Far more digits than fit 32 bits: only the low byte survives.
        {L"123456789abcdef0123456789abcde7f", {0x7F}},
    };
    for (const auto& [text, bytes] : cases) EXPECT_EQ(textToBytes(text), bytes);
    for (const std::wstring text : {L"01 02", L"0x01", L"g0"}) {
        EXPECT_THROW(textToBytes(text), NumberFormatException) << text;
    }
}

}  // namespace
