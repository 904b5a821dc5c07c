#include "xml/SystemVersion.h"

#include <windows.h>

#include "core/Exception.h"
#include "core/Platform.h"
#include "core/StringUtil.h"
#include "registry/RegKey.h"

namespace xml {

SystemVersion SystemVersion::detect() {
    OSVERSIONINFOEXW extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended))) {
        return {productTypeOf(extended.wSuiteMask, extended.wProductType),
                static_cast<int32_t>(extended.dwMajorVersion * 256 + extended.dwMinorVersion),
                extended.wServicePackMajor * 256 + extended.wServicePackMinor,
                static_cast<int32_t>(extended.dwBuildNumber)};
    }
    // Systems before Windows NT 4.0 SP6 know only the plain record; they name
    // their service pack in text and keep their product type in the registry.
    OSVERSIONINFOW plain{};
    plain.dwOSVersionInfoSize = sizeof plain;
    if (!GetVersionExW(&plain)) throw Exception(L"GetVersionExW() failed: " + lastErrorText());
    return {productTypeFromRegistry(),
            static_cast<int32_t>(plain.dwMajorVersion * 256 + plain.dwMinorVersion),
            servicePackOf(plain.szCSDVersion)};
}

int32_t SystemVersion::productTypeOf(uint16_t suiteMask, uint8_t productType) {
    if (suiteMask & VER_SUITE_PERSONAL) return PERSONAL;
    if (productType == VER_NT_WORKSTATION) return WORKSTATION;
    // A domain controller runs the server's settings, and more of them.
    if (productType == VER_NT_SERVER || productType == VER_NT_DOMAIN_CONTROLLER) return SERVER;
    throw Exception(L"unknown OS product type: " + toString(productType));
}

int32_t SystemVersion::productTypeOf(const std::wstring& productOptionsType) {
    if (equalsIgnoreCase(productOptionsType, L"WinNT")) return WORKSTATION;
    if (equalsIgnoreCase(productOptionsType, L"LanManNT") ||
        equalsIgnoreCase(productOptionsType, L"ServerNT")) {
        return SERVER;
    }
    throw Exception(L"unknown OS product type: " + productOptionsType);
}

int32_t SystemVersion::productTypeFromRegistry() {
    const RegKey options(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\ProductOptions",
                         RegKey::READ);
    return productTypeOf(options.getString(L"ProductType"));
}

// "Service Pack 6" gives 0x0600 and "Service Pack 6a" 0x0601: the letter
// counts from a = 1.
int32_t SystemVersion::servicePackOf(const std::wstring& servicePackText) {
    if (servicePackText.empty()) return 0;
    const std::wstring prefix = L"Service Pack ";
    if (!startsWithIgnoreCase(servicePackText, prefix) || servicePackText.size() < 14) {
        throw Exception(L"unknown OS service pack version: " + servicePackText);
    }
    int32_t version = (servicePackText[13] - L'0') * 256;
    if (servicePackText.size() == 15) version += servicePackText[14] - 0x60;
    return version;
}

}  // namespace xml
