#include "core/Exception.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/Constants.h"

namespace {

TEST(Exceptions, CarryTheirMessageThroughCopiesAndBaseCatches) {
    try {
        throw FileNotFoundException(L"items\\root.xml");
    } catch (const IOException& e) {
        EXPECT_EQ(e.getMessage(), L"items\\root.xml");
        const IOException copy(e);
        EXPECT_EQ(copy.getMessage(), L"items\\root.xml");
        EXPECT_NE(dynamic_cast<const FileNotFoundException*>(&e), nullptr);
    }
    try {
        throw xml::XMLException(L"unexpected EOF");
    } catch (const Exception& e) {
        EXPECT_EQ(e.getMessage(), L"unexpected EOF");
        // The wide message is never squeezed into the narrow accessor.
        EXPECT_STREQ(e.what(), std::exception().what());
    }
}

TEST(Exceptions, SiblingClassesAreNotCaughtForEachOther) {
    bool caughtAsConfig = false;
    try {
        try {
            throw RegKeyException(L"x");
        } catch (const ConfigException&) {
            caughtAsConfig = true;
        }
    } catch (const Exception& e) {
        EXPECT_EQ(e.getMessage(), L"x");
    }
    EXPECT_FALSE(caughtAsConfig);
}

TEST(Constants, NullStringIsOneNonCharacterAndNotEmpty) {
    ASSERT_EQ(NULL_STRING.size(), 1u);
    EXPECT_EQ(static_cast<unsigned>(NULL_STRING[0]), 0xFFFFu);
    EXPECT_NE(NULL_STRING, std::wstring());
    EXPECT_EQ(programName, L"velmora");
    EXPECT_EQ(programVersion, L"1.3.2");
    EXPECT_EQ(programRelease, L"production release");
}

}  // namespace
