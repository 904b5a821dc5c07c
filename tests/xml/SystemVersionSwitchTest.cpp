#include <windows.h>

#include <gtest/gtest.h>

#include "../registry/ScratchKey.h"

namespace {

// What a program printed, less the final line end.
std::string output(const std::wstring& program, const std::wstring& arguments = L"") {
    const ScratchDir dir;
    std::string out = dir.run(program, arguments).out;
    while (!out.empty() && isspace(static_cast<unsigned char>(out.back()))) out.pop_back();
    return out;
}

// Each switch is confirmed, since winecfg too may fail to start.
void switchTo(const std::string& version) {
    const std::wstring winecfg = joinPath(systemDirectory(), L"winecfg.exe");
    for (int attempt = 0; attempt < 3 && output(winecfg, L"-v") != version; ++attempt)
        output(winecfg, L"-v " + std::wstring(version.begin(), version.end()));
}

// Puts the prefix back to the version it had, also when the test fails.
struct PrefixVersion {
    const std::string original = output(joinPath(systemDirectory(), L"winecfg.exe"), L"-v");
    ~PrefixVersion() { switchTo(original); }
};

TEST(SystemVersion, DetectsEachWindowsVersionThePrefixPretendsToBe) {
    const PrefixVersion prefix;
    ASSERT_FALSE(prefix.original.empty());
    const std::wstring probe = besideThisTest(L"system_version_probe.exe");
    // Product type, version, service pack; the registry's product type and the
    // service pack text's value; whether ">= 10.0" keeps an element. From
    // Windows 8.1 on, a program learns the true version only where its
    // manifest names the system as supported.
    const std::pair<std::string, std::string> cases[] = {
        {"winxp64", "1 0502 0200 1 0200 0"}, {"win2003", "2 0502 0200 2 0200 0"},
        {"vista", "1 0600 0200 1 0200 0"},   {"win7", "1 0601 0100 1 0100 0"},
        {"win81", "1 0603 0000 1 0000 0"},   {"win10", "1 0a00 0000 1 0000 1"},
    };
    for (const auto& [version, detected] : cases) {
        switchTo(version);
        EXPECT_EQ(output(probe), detected) << "as " << version;
    }
}

}  // namespace
