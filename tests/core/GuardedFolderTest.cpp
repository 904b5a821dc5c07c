#include "core/GuardedFolder.h"

#include <sddl.h>

#include <gtest/gtest.h>

#include "../core/MessageOf.h"
#include "ScratchDir.h"
#include "core/Exception.h"

namespace {

std::string narrow(const std::wstring& text) { return toUtf8(text); }

// The folders an elevated velmora may keep files in, and those a process of
// the user without elevation could write into, as their descriptors say.
TEST(GuardedFolder, AdmitsOnlyFoldersThatAdministratorsAndTheSystemAloneWrite) {
    const std::wstring trustedInstaller =
        L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
    const std::pair<std::wstring, std::wstring> cases[] = {
        // What velmora makes, and the rights of C:\Program Files.
        {L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)", L""},
        {L"O:" + trustedInstaller + L"D:P(A;;FA;;;" + trustedInstaller + L")(A;CIIO;GA;;;" +
             trustedInstaller +
             L")(A;;0x1301bf;;;SY)(A;OICIIO;GA;;;SY)(A;;0x1301bf;;;BA)"
             L"(A;OICIIO;GA;;;BA)(A;;0x1200a9;;;BU)(A;OICIIO;GXGR;;;BU)(A;OICIIO;GA;;;CO)",
         L""},
        {L"O:BAD:(D;;FA;;;WD)(A;OICI;FR;;;BU)(A;OICI;FA;;;BA)", L""},
        {L"O:BAD:(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;BU)", L"writable by BUILTIN\\Users"},
        {L"O:S-1-5-21-7-8-9-1001D:P(A;OICI;FA;;;BA)", L"owned by S-1-5-21-7-8-9-1001"},
        {L"O:BUD:P(A;OICI;FA;;;BA)", L"owned by BUILTIN\\Users"},
        // Inherited from the folder above, or passed on to the files made.
        {L"O:BAD:(A;OICI;FA;;;BA)(A;OICIID;FW;;;AU)",
         L"writable by NT AUTHORITY\\Authenticated Users"},
        {L"O:BAD:P(A;OICI;FA;;;BA)(A;OICIIO;FW;;;IU)", L"writable by NT AUTHORITY\\INTERACTIVE"},
        {L"O:BAD:P(A;;FA;;;BA)(A;;0x40;;;WD)", L"writable by Everyone"},
        {L"O:BAD:P(A;;FA;;;BA)(A;;WD;;;S-1-5-21-7-8-9-1001)", L"writable by S-1-5-21-7-8-9-1001"},
        {L"O:BA", L"no access list, so everyone may write"},
    };
    for (const auto& [sddl, expected] : cases) {
        const std::wstring refusal = guardRefusal(descriptorOf(sddl).get());
        // A name is followed by its SID; the name alone is compared.
        EXPECT_EQ(refusal.substr(0, refusal.find(L" (S-")), expected) << narrow(sddl);
    }
    wchar_t* made = nullptr;
    ASSERT_TRUE(ConvertSecurityDescriptorToStringSecurityDescriptorW(
        guardedFolderDescriptor().get(), SDDL_REVISION_1,
        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &made, nullptr));
    EXPECT_EQ(std::wstring(made), L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)");
    LocalFree(made);
}

// Wine keeps no rights of its own: its folders read as the user's, which an
// elevated velmora refuses where a system does keep them.
TEST(GuardedFolder, MakesTheFoldersBelowAndRefusesWhatIsNoFolder) {
    const ScratchDir dir;
    EXPECT_TRUE(folderGuardRefusal(dir.path()).starts_with(L"owned by ")) << narrow(dir.path());
    dir.write(L"file", L"");
    const std::pair<KeptFolder, std::wstring> cases[] = {
        {{dir.path(), {L"a", L"b"}, true, true}, dir.file(L"a\\b")},
        {{dir.path(), {L"a", L"b"}, true, true}, dir.file(L"a\\b")},
        {{dir.path(), {L"file", L"b"}}, L"not a folder: " + dir.file(L"file")},
        {{dir.file(L"none"), {}}, L"CreateFile: " + dir.file(L"none") + L": 2"},
    };
    for (const auto& [folder, expected] : cases) {
        std::wstring made;
        try {
            made = makeKeptFolder(folder);
        } catch (const IOException& e) {
            made = e.getMessage();
        }
        EXPECT_EQ(made, expected);
    }
}

}  // namespace
