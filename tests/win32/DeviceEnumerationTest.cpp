// FindPresentDevice over the real SetupAPI listing. No headset can be present here; Wine's own
// virtual HID devices (VID_845E) stand in for a device that a group accepts.
#include <gtest/gtest.h>

#include <windows.h>
#include <setupapi.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../shared/DesVectors.h"
#include "DeviceGuid.h"
#include "DeviceIdMgr.h"
#include "TestFiles.h"

namespace {

const std::u16string kHeadsetPattern = u"USB\\VID_3F9C&PID_47XX&REV_0100&MI_00";
// First hardware ID of Wine's virtual mouse and keyboard, with X for the product's last digit.
const std::u16string kWineHidPattern = u"HID\\VID_845E&PID_000X\\0&0000&0&0";
constexpr char kWineHidPatternCode[] = "EyOQXM9OoGtdIqpMuimJjhDWI2+JdmLTiularIHuMcjGqT/3+2Tn/w==";

constexpr uint32_t kInstallerFlags = DIGCF_PRESENT_FLAG | DIGCF_ALLCLASSES_FLAG;
constexpr uint32_t kPanelFlags = DIGCF_PRESENT_FLAG | DIGCF_DEVICEINTERFACE_FLAG;

// Loads a one-entry group from a file, as the programs do.
void LoadGroup(CDeviceIdMgr& manager, const std::string& section, const std::u16string& id,
               const std::string& code) {
    TempFolder folder;
    const std::u16string config = folder.Write(
        u"AudioConfig.cfg", "[" + section + "]\r\nDevice=" + Narrow(id) + "," + code + "\r\n");
    ASSERT_EQ(manager.LoadGroup(config, std::u16string(section.begin(), section.end())), 0);
    ASSERT_EQ(manager.ids.size(), 1u);
}

// The platform's listing, but with the flags the test chooses; records what was asked for.
class FlagsOverride : public IDeviceEnumerator {
public:
    explicit FlagsOverride(uint32_t flags) : flags_(flags) {}
    std::unique_ptr<IDeviceInfoList> GetClassDevs(const DeviceGuid& guid, uint32_t flags) override {
        requested.push_back(flags);
        return PlatformDeviceEnumerator().GetClassDevs(guid, flags_);
    }
    std::vector<uint32_t> requested;

private:
    uint32_t flags_;
};

// The strings of a REG_MULTI_SZ up to the empty one that ends the list. Wine keeps stray bytes
// after that end in some devices' data, so whatever follows it is not looked at.
std::vector<std::u16string> MultiString(const std::vector<uint8_t>& data) {
    std::vector<std::u16string> strings;
    std::u16string current;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit != 0) {
            current += unit;
            continue;
        }
        if (current.empty())
            return strings;
        strings.push_back(current);
        current.clear();
    }
    ADD_FAILURE() << "multi-string without its closing empty string";
    return strings;
}

struct DevInfoListCloser {
    void operator()(void* set) const { SetupDiDestroyDeviceInfoList(set); }
};

// Each present device's hardware-ID bytes, read with SetupAPI directly; an empty entry for a
// device without one.
std::vector<std::vector<uint8_t>> HardwareIdBytesFromSetupApi() {
    std::vector<std::vector<uint8_t>> all;
    const std::unique_ptr<void, DevInfoListCloser> set(
        SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES));
    if (set.get() == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "SetupDiGetClassDevsW failed";
        return all;
    }
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(set.get(), index, &device); ++index) {
        std::vector<uint8_t> data(8192);
        DWORD filled = 0;
        if (!SetupDiGetDeviceRegistryPropertyW(set.get(), &device, SPDRP_HARDWAREID, nullptr,
                                               data.data(), static_cast<DWORD>(data.size()),
                                               &filled))
            filled = 0;
        data.resize(filled);
        all.push_back(std::move(data));
    }
    return all;
}

// First hardware ID of every device that has one, in listing order.
std::vector<std::u16string> FirstHardwareIds(IDeviceInfoList& list, uint32_t* deviceCount) {
    std::vector<std::u16string> ids;
    uint32_t index = 0;
    for (; list.EnumDeviceInfo(index); ++index) {
        uint32_t type = 0;
        const auto data = list.GetDeviceRegistryProperty(index, SPDRP_HARDWAREID_PROPERTY, &type);
        if (!data)
            continue;
        SCOPED_TRACE("device " + std::to_string(index));
        EXPECT_EQ(type, REG_MULTI_SZ_TYPE);
        const std::vector<std::u16string> strings = MultiString(*data);
        EXPECT_FALSE(strings.empty());
        ids.push_back(strings.empty() ? u"" : strings.front());
    }
    *deviceCount = index;
    return ids;
}

TEST(DeviceEnumerationWin32, ListsDevicesWithTheirHardwareIds) {
    const auto list =
        PlatformDeviceEnumerator().GetClassDevs(KSCATEGORY_AUDIO_GUID, kInstallerFlags);
    ASSERT_TRUE(list);
    uint32_t devices = 0;
    const std::vector<std::u16string> ids = FirstHardwareIds(*list, &devices);
    EXPECT_GE(ids.size(), 1u);
    EXPECT_FALSE(list->GetDeviceRegistryProperty(devices, SPDRP_HARDWAREID_PROPERTY, nullptr));

    // The adapter hands on exactly the bytes the property holds, no more.
    std::vector<std::vector<uint8_t>> adapterBytes;
    for (uint32_t index = 0; index < devices; ++index) {
        const auto data =
            list->GetDeviceRegistryProperty(index, SPDRP_HARDWAREID_PROPERTY, nullptr);
        adapterBytes.push_back(data ? *data : std::vector<uint8_t>());
    }
    EXPECT_EQ(adapterBytes, HardwareIdBytesFromSetupApi());

    // The list keeps one device record; going back must give the same device again.
    std::vector<std::u16string> backwards;
    for (uint32_t index = devices; index-- > 0;) {
        const auto data =
            list->GetDeviceRegistryProperty(index, SPDRP_HARDWAREID_PROPERTY, nullptr);
        const std::vector<std::u16string> strings =
            data ? MultiString(*data) : std::vector<std::u16string>();
        if (!strings.empty())
            backwards.insert(backwards.begin(), strings.front());
    }
    EXPECT_EQ(backwards, ids);
}

TEST(DeviceEnumerationWin32, HeadsetIsNotFoundAndTheResultIsLeftAlone) {
    CDeviceIdMgr usb;
    ASSERT_NO_FATAL_FAILURE(
        LoadGroup(usb, "USB_VID_PID", kHeadsetPattern, kDesVectors[4].code));  // the 47XX pattern

    std::u16string result = u"<unchanged>";
    EXPECT_FALSE(FindPresentDevice(KSCATEGORY_AUDIO_GUID, kHeadsetPattern, usb, &result));
    EXPECT_EQ(result, u"<unchanged>");

    // The installer asks for every present device of every class.
    FlagsOverride installer(kInstallerFlags);
    EXPECT_FALSE(
        FindPresentDevice(KSCATEGORY_AUDIO_GUID, kHeadsetPattern, usb, &result, installer));
    EXPECT_EQ(installer.requested, std::vector<uint32_t>{kInstallerFlags});

    // The panel's listing: devices exposing the audio interface class.
    FlagsOverride panel(kPanelFlags);
    EXPECT_FALSE(FindPresentDevice(KSCATEGORY_AUDIO_GUID, kHeadsetPattern, usb, &result, panel));
    EXPECT_EQ(result, u"<unchanged>");
}

TEST(DeviceEnumerationWin32, GroupAcceptingWinesVirtualHidDeviceFindsIt) {
    {
        const auto list =
            PlatformDeviceEnumerator().GetClassDevs(KSCATEGORY_AUDIO_GUID, kInstallerFlags);
        ASSERT_TRUE(list);
        uint32_t devices = 0;
        CDeviceIdMgr probe;
        ASSERT_NO_FATAL_FAILURE(
            LoadGroup(probe, "HID_VID_PID", kWineHidPattern, kWineHidPatternCode));
        bool present = false;
        for (const std::u16string& id : FirstHardwareIds(*list, &devices))
            present = present || probe.IsMatch(id);
        if (!present)
            GTEST_SKIP() << "no virtual HID device of Wine in this system";
    }

    CDeviceIdMgr hid;
    ASSERT_NO_FATAL_FAILURE(LoadGroup(hid, "HID_VID_PID", kWineHidPattern, kWineHidPatternCode));
    std::u16string result;
    ASSERT_TRUE(FindPresentDevice(KSCATEGORY_AUDIO_GUID, kWineHidPattern, hid, &result));
    EXPECT_EQ(result.size(), kWineHidPattern.size());
    EXPECT_TRUE(hid.IsMatch(result)) << Narrow(result);
    EXPECT_EQ(result.substr(0, 20), u"HID\\VID_845E&PID_000");

    // Only the pattern's length counts: any 32 characters do, and with 31 the device the group
    // accepts is passed over.
    EXPECT_TRUE(FindPresentDevice(KSCATEGORY_AUDIO_GUID, std::u16string(32, u'?'), hid, nullptr));
    std::u16string untouched = u"<unchanged>";
    EXPECT_FALSE(
        FindPresentDevice(KSCATEGORY_AUDIO_GUID, kWineHidPattern.substr(1), hid, &untouched));
    EXPECT_EQ(untouched, u"<unchanged>");
}

}  // namespace
