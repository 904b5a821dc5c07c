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
    // service pack text's value; whether ">= 10.0" keeps an element.
    const std::pair<std::string, std::string> cases[] = {
        {"winxp64", "1 0502 0200 1 0200 0"}, {"win2003", "2 0502 0200 2 0200 0"},
        {"vista", "1 0600 0200 1 0200 0"},   {"win7", "1 0601 0100 1 0100 0"},
        {"win10", "1 0a00 0000 1 0000 1"},
    };
    for (const auto& [version, detected] : cases) {
        switchTo(version);
        EXPECT_EQ(output(probe), detected) << "as " << version;
    }
}

TEST(SystemVersion, EveryExecutableDeclaresTheSystemsItSupports) {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                               SizeofResource(nullptr, found));
    for (const char* id :
         {"e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
          "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
          "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + id + "}\"/>"),
                  std::string::npos)
            << id;
    }
}

}  // namespace
