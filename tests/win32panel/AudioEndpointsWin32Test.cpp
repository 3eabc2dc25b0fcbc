// The audio-endpoint adapter over the real DirectSound, Core Audio and winmm mixer calls. The
// headset's microphone never exists here. By default Wine has no audio device at all; the
// null_audio run gives it one ALSA null device, whose capture description, endpoint and mixer
// line the searches below find by name and then drive for real.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "AudioEndpointsWin32.h"
#include "PanelDeviceWin32.h"
#include "WideText.h"

namespace {

constexpr uint16_t kHeadsetVendor = 0x3F9C;
constexpr uint16_t kHeadsetProduct = 0x4712;

struct LibraryFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer>;

UniqueLibrary SystemDsound() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return UniqueLibrary(LoadLibraryW((std::wstring(folder, length) + L"\\dsound.dll").c_str()));
}

struct CaptureDevice {
    std::u16string description;
    std::u16string path;
};

BOOL CALLBACK CollectCaptureDevice(LPGUID, LPCWSTR description, LPCWSTR path, LPVOID context) {
    if (description && path && *path)
        static_cast<std::vector<CaptureDevice>*>(context)->push_back({U16(description), U16(path)});
    return TRUE;
}

// DirectSound's capture devices that have a path, looked up by the function's name.
std::vector<CaptureDevice> CaptureDevicesWithPath() {
    using Callback = BOOL(CALLBACK*)(LPGUID, LPCWSTR, LPCWSTR, LPVOID);
    using Enumerate = HRESULT(WINAPI*)(Callback, LPVOID);
    std::vector<CaptureDevice> devices;
    const UniqueLibrary dsound = SystemDsound();
    const FARPROC proc =
        dsound ? GetProcAddress(dsound.get(), "DirectSoundCaptureEnumerateW") : nullptr;
    if (!proc)
        return devices;
    const auto enumerate = reinterpret_cast<Enumerate>(reinterpret_cast<void (*)()>(proc));
    enumerate(CollectCaptureDevice, &devices);
    return devices;
}

std::u16string SwapCase(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        else if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return text;
}

TEST(Win32AudioEndpointsRealCalls, DevicePathPrefixHasFourUpperCaseDigitsPerId) {
    EXPECT_EQ(CapturePathPrefix(0x3F9C, 0x4712), u"\\\\?\\USB#VID_3F9C&PID_4712");
    EXPECT_EQ(CapturePathPrefix(0x000a, 0x00b0), u"\\\\?\\USB#VID_000A&PID_00B0");
}

TEST(Win32AudioEndpointsRealCalls, ImportedOrdinalIsTheWideCaptureEnumeration) {
    const UniqueLibrary dsound = SystemDsound();
    ASSERT_NE(dsound, nullptr);
    const FARPROC byOrdinal = GetProcAddress(dsound.get(), MAKEINTRESOURCEA(8));
    ASSERT_NE(byOrdinal, nullptr);
    EXPECT_EQ(byOrdinal, GetProcAddress(dsound.get(), "DirectSoundCaptureEnumerateW"));
}

TEST(Win32AudioEndpointsRealCalls, HeadsetIsFoundNowhere) {
    const auto endpoints = CreateAudioEndpointsWin32();
    EXPECT_EQ(endpoints->FindCaptureDescription(kHeadsetVendor, kHeadsetProduct), u"");
    EXPECT_EQ(endpoints->FindCaptureEndpoint(kHeadsetVendor, kHeadsetProduct), nullptr);
    for (int kind = MIXER_READ_VOLUME; kind <= MIXER_WRITE_BOOST; ++kind) {
        SCOPED_TRACE(kind);
        uint32_t value = 7, minimum = 8, maximum = 9;
        EXPECT_EQ(endpoints->MixerControl(static_cast<MixerControlKind>(kind), &value, &minimum,
                                          &maximum, kHeadsetVendor, kHeadsetProduct),
                  0u);
        EXPECT_EQ(value, 7u);
        EXPECT_EQ(minimum, 8u);
        EXPECT_EQ(maximum, 9u);
    }
}

// The null_audio run's device, found by its own path and description.
class Win32AudioDeviceRealCalls : public testing::Test {
protected:
    void SetUp() override {
        const std::vector<CaptureDevice> devices = CaptureDevicesWithPath();
        if (devices.empty())
            GTEST_SKIP() << "no capture device (run with an ALSA null device to drive one)";
        device_ = devices.back();
    }
    CaptureDevice device_;
};

TEST_F(Win32AudioDeviceRealCalls, DescriptionIsFoundByPathPrefixInAnyCase) {
    EXPECT_EQ(FindCaptureDescriptionByPrefix(SwapCase(device_.path)), device_.description);
    EXPECT_EQ(FindCaptureDescriptionByPrefix(SwapCase(device_.path.substr(0, 3))),
              device_.description);
    EXPECT_EQ(FindCaptureDescriptionByPrefix(device_.path + u"x"), u"");
    // An empty prefix would begin every path.
    EXPECT_EQ(FindCaptureDescriptionByPrefix(u""), u"");
}

TEST_F(Win32AudioDeviceRealCalls, EndpointIsFoundOnlyByAPartOfItsName) {
    EXPECT_NE(FindCaptureEndpointByDescription(device_.description), nullptr);
    EXPECT_NE(FindCaptureEndpointByDescription(device_.description.substr(1)), nullptr);
    EXPECT_EQ(FindCaptureEndpointByDescription(device_.description + u" 2"), nullptr);
    // The empty text is part of every name, yet names no microphone.
    EXPECT_EQ(FindCaptureEndpointByDescription(u""), nullptr);
}

// Core Audio's own listing, which the search falls back on where DirectSound names endpoints.
TEST_F(Win32AudioDeviceRealCalls, CoreAudioListsTheEndpointByIdAndOpensItById) {
    const std::vector<CaptureEndpointEntry> endpoints = ActiveCaptureEndpointsWin32();
    const CaptureEndpointEntry* found = EndpointByName(endpoints, device_.description);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->id.rfind(u"{0.0.1.", 0), 0u);
    RecordProperty("adapter_id", std::string(found->adapterId.begin(), found->adapterId.end()));
    RecordProperty("directsound_module", std::string(device_.path.begin(), device_.path.end()));
    EXPECT_NE(OpenCaptureEndpointWin32(found->id), nullptr);
    EXPECT_EQ(OpenCaptureEndpointWin32(found->id + u"x"), nullptr);
    EXPECT_EQ(OpenCaptureEndpointWin32(u""), nullptr);
}

TEST_F(Win32AudioDeviceRealCalls, EndpointVolumeAndMuteReachTheVolumeInterface) {
    const auto endpoint = FindCaptureEndpointByDescription(device_.description);
    ASSERT_NE(endpoint, nullptr);

    uint32_t step = 0, count = 0;
    ASSERT_EQ(endpoint->SetMasterVolumeLevelScalar(0.0f), MIC_OK);
    const uint32_t stepInfo = endpoint->GetVolumeStepInfo(&step, &count);
    RecordProperty("step_info_code", std::to_string(stepInfo));
    if (stepInfo == MIC_OK) {
        ASSERT_GT(count, 1u);
        EXPECT_EQ(step, 0u);
        ASSERT_EQ(endpoint->SetMasterVolumeLevelScalar(1.0f), MIC_OK);
        ASSERT_EQ(endpoint->GetVolumeStepInfo(&step, &count), MIC_OK);
        EXPECT_EQ(step, count - 1);
    } else {
        // Wine's endpoint volume has no step information; the interface itself was obtained.
        EXPECT_EQ(stepInfo, MIC_STEP_INFO_NOT_READ);
    }

    // Each operation activates its own volume interface, and Wine keeps the mute state in that
    // object, so a value set is not read back here; both calls must reach the interface.
    for (const int32_t flag : {1, 0}) {
        const uint32_t set = endpoint->SetMute(flag);
        EXPECT_TRUE(set == static_cast<uint32_t>(S_OK) || set == static_cast<uint32_t>(S_FALSE))
            << set;
        int32_t mute = 5;
        EXPECT_EQ(endpoint->GetMute(&mute), static_cast<uint32_t>(S_OK));
        EXPECT_TRUE(mute == 0 || mute == 1) << mute;
    }
}

TEST_F(Win32AudioDeviceRealCalls, AutoGainControlWalkEndsWithACode) {
    const auto endpoint = FindCaptureEndpointByDescription(device_.description);
    ASSERT_NE(endpoint, nullptr);
    int32_t enabled = 5;
    const uint32_t read = endpoint->GetAutoGainControl(&enabled);
    RecordProperty("read_code", std::to_string(read));
    if (read == 0) {
        EXPECT_TRUE(enabled == 0 || enabled == 1);
    } else {
        EXPECT_EQ(enabled, 5);
    }
    // Without a gain control the write stops where the read did.
    if (read >= 2 && read <= 10) {
        EXPECT_EQ(endpoint->SetAutoGainControl(1), read);
    }
}

TEST_F(Win32AudioDeviceRealCalls, MixerLineIsFoundByTheShorterNameAndDriven) {
    uint32_t value = 0, minimum = 0, maximum = 0;
    if (MixerControlByDescription(MIXER_READ_VOLUME, &value, &minimum, &maximum,
                                  device_.description) == 0)
        GTEST_SKIP() << "no wave-in mixer line with a volume control";
    EXPECT_LT(minimum, maximum);

    // Only the shorter name's length is compared, in any case: the mixer's target name holds
    // at most 31 characters.
    const std::u16string longer = SwapCase(device_.description) + u" (more than fits)";
    const uint32_t middle = minimum + (maximum - minimum) / 2;
    uint32_t written = middle;
    ASSERT_EQ(MixerControlByDescription(MIXER_WRITE_VOLUME, &written, nullptr, nullptr, longer),
              1u);
    ASSERT_EQ(MixerControlByDescription(MIXER_READ_VOLUME, &value, &minimum, &maximum, longer), 1u);
    EXPECT_NEAR(static_cast<double>(value), middle, (maximum - minimum) / 100.0);

    for (uint32_t flag : {1u, 0u}) {
        uint32_t mute = 5;
        if (MixerControlByDescription(MIXER_WRITE_MUTE, &flag, nullptr, nullptr, longer) == 0)
            break;  // a line without a mute control
        ASSERT_EQ(MixerControlByDescription(MIXER_READ_MUTE, &mute, nullptr, nullptr, longer), 1u);
        EXPECT_EQ(mute, flag);
    }

    uint32_t untouched = 7;
    EXPECT_EQ(MixerControlByDescription(MIXER_READ_VOLUME, &untouched, nullptr, nullptr, u""), 0u);
    EXPECT_EQ(MixerControlByDescription(MIXER_READ_VOLUME, &untouched, nullptr, nullptr,
                                        u"x" + device_.description),
              0u);
    EXPECT_EQ(untouched, 7u);
}

}  // namespace
