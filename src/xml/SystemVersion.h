#pragma once

#include <cstdint>
#include <string>

namespace xml {

// The running system as definition conditions see it: product type, version,
// service pack and build, each a plain number that conditions compare with.
struct SystemVersion {
    enum ProductType : int32_t { PERSONAL = 0, WORKSTATION = 1, SERVER = 2 };

    int32_t productType;
    // Major version * 256 + minor version: Windows 2000 is 0x0500.
    int32_t productVersion;
    // Service pack major * 256 + minor; 0 without a service pack.
    int32_t servicePackVersion;
    // The build number, which alone tells Windows 10 from 11 and one feature
    // update from the next; 0 where the extended record is refused.
    int32_t build = 0;

    bool operator==(const SystemVersion&) const = default;

    // Asks GetVersionExW, falling back to the plain version record and the
    // registry where the extended record is refused. Throws Exception for a
    // product type or service pack it cannot place. A domain controller is a
    // server.
    static SystemVersion detect();

    // The steps of detection, apart so that forms this machine never reports
    // can be tried.
    static int32_t productTypeOf(uint16_t suiteMask, uint8_t productType);
    static int32_t productTypeOf(const std::wstring& productOptionsType);
    static int32_t productTypeFromRegistry();
    static int32_t servicePackOf(const std::wstring& servicePackText);
};

}  // namespace xml
