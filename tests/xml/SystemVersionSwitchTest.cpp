#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/StringUtil.h"

namespace {

std::wstring directoryOfThisProgram() {
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    return parentPathOf(std::wstring(path, length));
}

// Runs a command to its end and returns its output less the final line end.
std::string run(const std::wstring& command) {
    FILE* pipe = _wpopen(command.c_str(), L"r");
    if (!pipe) return "(not started)";
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    _pclose(pipe);
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    return output;
}

std::string winecfg(const std::wstring& arguments) { return run(L"winecfg.exe " + arguments); }

// Under Wine a process now and then fails to start ("failed to map the shared
// user data"), so each switch is confirmed and each probe that said nothing
// is run again.
void switchTo(const std::string& version) {
    for (int attempt = 0; attempt < 3 && winecfg(L"-v") != version; ++attempt) {
        winecfg(L"-v " + std::wstring(version.begin(), version.end()));
    }
}

std::string probe(const std::wstring& command) {
    std::string output;
    for (int attempt = 0; attempt < 3 && output.empty(); ++attempt) output = run(command);
    return output;
}

// Puts the prefix back to the version it had, also when the test fails.
class PrefixVersion {
public:
    PrefixVersion() : original_(probe(L"winecfg.exe -v")) {}
    ~PrefixVersion() { switchTo(original_); }
    const std::string& original() const { return original_; }

private:
    std::string original_;
};

TEST(SystemVersion, DetectsEachWindowsVersionThePrefixPretendsToBe) {
    const PrefixVersion prefix;
    ASSERT_FALSE(prefix.original().empty());
    const std::wstring prober =
        L"\"" + joinPath(directoryOfThisProgram(), L"system_version_probe.exe") + L"\"";

    // Product type, version, service pack; the registry's product type and the
    // service pack text's value; whether ">= 10.0" keeps an element.
    const struct {
        const char* version;
        const char* detected;
    } cases[] = {
        {"winxp64", "1 0502 0200 1 0200 0"}, {"win2003", "2 0502 0200 2 0200 0"},
        {"vista", "1 0600 0200 1 0200 0"},   {"win7", "1 0601 0100 1 0100 0"},
        {"win10", "1 0a00 0000 1 0000 1"},
    };
    for (const auto& c : cases) {
        switchTo(c.version);
        EXPECT_EQ(probe(prober), c.detected) << "as " << c.version;
    }
}

TEST(SystemVersion, EveryExecutableDeclaresTheSystemsItSupports) {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    const std::string manifest(data, SizeofResource(nullptr, found));
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
