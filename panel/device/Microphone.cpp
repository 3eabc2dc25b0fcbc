#include "Microphone.h"

#include <algorithm>

namespace {

constexpr uint32_t kPlatformWin9x = 1;
constexpr uint32_t kPlatformNt = 2;

}  // namespace

int OsGeneration(IOsVersion& os) {
    OsVersionInfo info;
    if (!os.GetVersion(info))
        return 0;
    const uint32_t major = info.majorVersion;
    const uint32_t minor = info.minorVersion;
    if (info.platformId == kPlatformWin9x && major == 4) {
        if (minor == 10)
            return 1;
        if (minor == 90)
            return 3;
    }
    if (info.platformId == kPlatformNt) {
        if (major > 5)
            return 6;
        if (major == 5 && minor == 0)
            return 2;
        if (major == 5 && minor == 1)
            return 4;
    }
    return 0;
}

uint32_t ReadMicLevel(ICaptureEndpoint& endpoint, uint32_t* level) {
    uint32_t step = 0;
    uint32_t count = 0;
    const uint32_t code = endpoint.GetVolumeStepInfo(&step, &count);
    if (code != MIC_OK)
        return code;
    // One step or none gives no range to scale the level by.
    if (count < 2)
        return MIC_STEP_INFO_NOT_READ;
    if (level)
        *level = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{step} * 100 / (count - 1), 100));
    return MIC_OK;
}

uint32_t WriteMicLevel(ICaptureEndpoint& endpoint, uint32_t level) {
    return endpoint.SetMasterVolumeLevelScalar(static_cast<float>(std::min<uint32_t>(level, 100)) *
                                               0.01f);
}

uint32_t ReadMicMute(ICaptureEndpoint& endpoint, int32_t* mute) {
    return endpoint.GetMute(mute);
}

uint32_t WriteMicMute(ICaptureEndpoint& endpoint, int32_t mute) {
    return endpoint.SetMute(mute);
}

uint32_t ReadMicBoost(ICaptureEndpoint& endpoint, int32_t* boost) {
    return endpoint.GetAutoGainControl(boost);
}

uint32_t WriteMicBoost(ICaptureEndpoint& endpoint, int32_t boost) {
    return endpoint.SetAutoGainControl(boost);
}

bool MicHasNoBoost(uint32_t boostCode) {
    // 2-10 name the step of the walk that failed; anything else but 0 is the activation's result.
    constexpr uint32_t kFirstWalkStep = 2;
    constexpr uint32_t kLastWalkStep = 10;
    return boostCode != 0 && (boostCode < kFirstWalkStep || boostCode > kLastWalkStep);
}

namespace {

constexpr uint32_t kNoticeLevelMask = 0xFF;
constexpr uint32_t kNoticeMuteBit = 0x100;
constexpr uint32_t kNoticeValuesBit = 0x200;

}  // namespace

uint32_t PackMicNotice(const MicNotice& notice) {
    if (!notice.valuesKnown)
        return 0;
    return kNoticeValuesBit | (notice.mute != 0 ? kNoticeMuteBit : 0) |
           std::min<uint32_t>(notice.level, 100);
}

MicNotice UnpackMicNotice(uint32_t change, uint32_t packed) {
    MicNotice notice;
    notice.change = static_cast<MicChange>(change);
    notice.valuesKnown = (packed & kNoticeValuesBit) != 0;
    if (notice.valuesKnown) {
        notice.mute = (packed & kNoticeMuteBit) != 0 ? 1 : 0;
        notice.level = std::min<uint32_t>(packed & kNoticeLevelMask, 100);
    }
    return notice;
}
