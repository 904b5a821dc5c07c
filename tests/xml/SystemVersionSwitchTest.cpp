#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "../registry/ScratchKey.h"

namespace {

// Runs a command to its end and gives its output less the final line end.
// Under Wine a process now and then fails to start ("failed to map the shared
// user data"), so a command that said nothing is run again.
std::string run(const std::wstring& command) {
    std::string output;
    for (int attempt = 0; attempt < 3 && output.empty(); ++attempt) {
        FILE* pipe = _wpopen(command.c_str(), L"r");
        char buffer[256];
        while (pipe && fgets(buffer, sizeof buffer, pipe)) output += buffer;
        if (pipe) _pclose(pipe);
        while (!output.empty() && isspace(static_cast<unsigned char>(output.back())))
            output.pop_back();
    }
    return output;
}

// Each switch is confirmed, since winecfg too may fail to start.
void switchTo(const std::string& version) {
    for (int attempt = 0; attempt < 3 && run(L"winecfg.exe -v") != version; ++attempt)
        _wsystem((L"winecfg.exe -v " + std::wstring(version.begin(), version.end())).c_str());
}

// Puts the prefix back to the version it had, also when the test fails.
struct PrefixVersion {
    const std::string original = run(L"winecfg.exe -v");
    ~PrefixVersion() { switchTo(original); }
};

TEST(SystemVersion, DetectsEachWindowsVersionThePrefixPretendsToBe) {
    const PrefixVersion prefix;
    ASSERT_FALSE(prefix.original.empty());
    const std::wstring probe = L"\"" + besideThisTest(L"system_version_probe.exe") + L"\"";
    // Product type, version, service pack; the registry's product type and the
    // service pack text's value; whether ">= 10.0" keeps an element.
    const std::pair<std::string, std::string> cases[] = {
        {"winxp64", "1 0502 0200 1 0200 0"}, {"win2003", "2 0502 0200 2 0200 0"},
        {"vista", "1 0600 0200 1 0200 0"},   {"win7", "1 0601 0100 1 0100 0"},
        {"win10", "1 0a00 0000 1 0000 1"},
    };
    for (const auto& [version, detected] : cases) {
        switchTo(version);
        EXPECT_EQ(run(probe), detected) << "as " << version;
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
