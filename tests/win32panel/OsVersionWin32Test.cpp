// GetVersionExW as Wine answers it: an NT system of Vista or later, the Core Audio generation.
#include <gtest/gtest.h>

#include <windows.h>

#include "Microphone.h"
#include "PanelDeviceWin32.h"

namespace {

TEST(Win32OsVersionRealCalls, ReportsAnNtSystemAfterXp) {
    OsVersionInfo info;
    ASSERT_TRUE(CreateOsVersionWin32()->GetVersion(info));
    RecordProperty("version",
                   std::to_string(info.majorVersion) + "." + std::to_string(info.minorVersion));
    EXPECT_EQ(info.platformId, static_cast<uint32_t>(VER_PLATFORM_WIN32_NT));
    EXPECT_GT(info.majorVersion, 5u);
    EXPECT_EQ(OsGeneration(*CreateOsVersionWin32()), 6);
}

}  // namespace
