// Upper-filter lists and device restarts on the real device manager. No headset exists here:
// one of the machine's own devices stands in, and its filter list is put back afterwards.
#include <windows.h>
#include <setupapi.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "DeviceRestartArguments.h"
#include "SetupNames.h"
#include "SetupOperations.h"
#include "SetupPortsWin32.h"
#include "TextHelpers.h"
#include "WideText.h"

namespace {

class DeviceSet {
public:
    DeviceSet() : set_(SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES)) {}
    ~DeviceSet() {
        if (set_ != INVALID_HANDLE_VALUE)
            SetupDiDestroyDeviceInfoList(set_);
    }
    DeviceSet(const DeviceSet&) = delete;
    DeviceSet& operator=(const DeviceSet&) = delete;

    // The first device with a hardware ID.
    bool FindDevice() {
        for (DWORD index = 0;; ++index) {
            device_ = SP_DEVINFO_DATA{};
            device_.cbSize = sizeof(SP_DEVINFO_DATA);
            if (set_ == INVALID_HANDLE_VALUE || !SetupDiEnumDeviceInfo(set_, index, &device_))
                return false;
            const auto ids = Read(SPDRP_HARDWAREID);
            if (ids && !FirstMultiString(*ids).empty())
                return true;
        }
    }
    std::optional<std::vector<uint8_t>> Read(DWORD property) {
        std::vector<uint8_t> data(4096);
        DWORD type = 0;
        DWORD size = 0;
        if (!SetupDiGetDeviceRegistryPropertyW(set_, &device_, property, &type, data.data(),
                                               static_cast<DWORD>(data.size()), &size))
            return std::nullopt;
        data.resize(size);
        return data;
    }
    bool Write(DWORD property, const std::vector<uint8_t>* data) {
        return SetupDiSetDeviceRegistryPropertyW(set_, &device_, property,
                                                 data ? data->data() : nullptr,
                                                 data ? static_cast<DWORD>(data->size()) : 0);
    }

private:
    HDEVINFO set_;
    SP_DEVINFO_DATA device_{};
};

std::vector<uint8_t> MultiString(const std::vector<std::u16string>& strings) {
    std::vector<uint8_t> data;
    for (const std::u16string& text : strings) {
        for (char16_t unit : text + u'\0') {
            data.push_back(static_cast<uint8_t>(unit & 0xFF));
            data.push_back(static_cast<uint8_t>(unit >> 8));
        }
    }
    data.insert(data.end(), {0, 0});
    return data;
}

TEST(UpperFiltersWin32, TheFilterLeavesARealListAndTheOthersStayInOrder) {
    DeviceSet devices;
    ASSERT_TRUE(devices.FindDevice());
    const std::u16string id = FirstMultiString(*devices.Read(SPDRP_HARDWAREID));
    const std::optional<std::vector<uint8_t>> original = devices.Read(SPDRP_UPPERFILTERS);
    const std::vector<uint8_t> bound = MultiString({u"Other", u"UAExt", u"Last"});
    ASSERT_TRUE(devices.Write(SPDRP_UPPERFILTERS, &bound));

    std::vector<std::u16string> unbound;
    EXPECT_EQ(RemoveUpperFilter(Win32SetupDevices(), MEDIA_CLASS_GUID, kFilterName, &unbound), 0u);
    const auto after = devices.Read(SPDRP_UPPERFILTERS);
    ASSERT_TRUE(after);
    EXPECT_EQ(MultiStrings(*after), (std::vector<std::u16string>{u"Other", u"Last"}));
    EXPECT_EQ(unbound, std::vector<std::u16string>{id});

    // The last filter taken out removes the property (Wine keeps it, empty).
    const std::vector<uint8_t> alone = MultiString({u"uaext"});
    ASSERT_TRUE(devices.Write(SPDRP_UPPERFILTERS, &alone));
    EXPECT_EQ(RemoveUpperFilter(Win32SetupDevices(), MEDIA_CLASS_GUID, kFilterName), 0u);
    const auto emptied = devices.Read(SPDRP_UPPERFILTERS);
    EXPECT_TRUE(!emptied || MultiStrings(*emptied).empty());

    devices.Write(SPDRP_UPPERFILTERS, original ? &*original : nullptr);
}

int RunServiceProgram(const std::u16string& arguments) {
    std::unique_ptr<IProcessHandle> run =
        Win32Processes().Create(QuotedPath(U16(AUDIO_SERVICE_EXE)) + u" " + arguments);
    if (!run || !run->Wait(30000))
        return -1;
    const std::optional<uint32_t> code = run->ExitCode();
    return code ? static_cast<int>(*code) : -1;
}

// The 64-bit service program restarts devices for the 32-bit installer: for real here, on a
// device of this machine named by its hardware ID.
TEST(DeviceRestartWin32, TheServiceProgramRestartsNamedDevicesAndRefusesBadArguments) {
    DeviceSet devices;
    ASSERT_TRUE(devices.FindDevice());
    DeviceRestartRun run;
    run.pattern = kHardwareIdPattern;
    run.groupIds = {u"USB\\VID_3F9C&PID_47XX&REV_0100&MI_03"};
    run.alsoIds = {FirstMultiString(*devices.Read(SPDRP_HARDWAREID))};
    EXPECT_EQ(RunServiceProgram(DeviceRestartArguments(run)), 0);
    // Not on to the service dispatcher, which would wait 10 s for a service manager.
    EXPECT_EQ(RunServiceProgram(u"/RestartDevices \"P:"), 87);
}

}  // namespace
