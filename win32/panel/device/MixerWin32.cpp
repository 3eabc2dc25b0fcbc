#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <vector>

#include "AudioEndpointsWin32.h"
#include "WideText.h"

namespace {

#if defined(_M_IX86) || defined(__i386__)
static_assert(sizeof(MIXERLINEW) == 280 && sizeof(MIXERCONTROLW) == 228,
              "the 32-bit mixer records");
#endif

struct MixerCloser {
    void operator()(HMIXER mixer) const { mixerClose(mixer); }
};
using UniqueMixer = std::unique_ptr<std::remove_pointer_t<HMIXER>, MixerCloser>;

constexpr DWORD kControlTypes[] = {
    MIXERCONTROL_CONTROLTYPE_VOLUME, MIXERCONTROL_CONTROLTYPE_VOLUME, MIXERCONTROL_CONTROLTYPE_MUTE,
    MIXERCONTROL_CONTROLTYPE_MUTE,   MIXERCONTROL_CONTROLTYPE_MUX,    MIXERCONTROL_CONTROLTYPE_MUX,
};

bool IsWrite(MixerControlKind kind) {
    return kind == MIXER_WRITE_VOLUME || kind == MIXER_WRITE_MUTE || kind == MIXER_WRITE_BOOST;
}

// The mixer's target name holds at most 31 characters, so only the shorter length is compared.
bool NamesAgree(const wchar_t* targetName, const std::u16string& description) {
    const size_t length = std::min(wcsnlen(targetName, MAXPNAMELEN), description.size());
    return _wcsnicmp(targetName, W(description), length) == 0;
}

bool LineHasControl(HMIXEROBJ mixer, const MIXERLINEW& line, DWORD controlType) {
    if (line.cControls == 0)
        return false;
    std::vector<MIXERCONTROLW> controls(line.cControls);
    MIXERLINECONTROLSW request{};
    request.cbStruct = sizeof request;
    request.dwLineID = line.dwLineID;
    request.cControls = line.cControls;
    request.cbmxctrl = sizeof(MIXERCONTROLW);
    request.pamxctrl = controls.data();
    if (mixerGetLineControlsW(mixer, &request, MIXER_GETLINECONTROLSF_ALL | MIXER_OBJECTF_HMIXER) !=
        MMSYSERR_NOERROR)
        return false;
    return std::any_of(controls.begin(), controls.end(), [controlType](const MIXERCONTROLW& c) {
        return c.dwControlType == controlType;
    });
}

// The wave-in destination itself, else its first microphone (or unnamed) source, that carries
// the control.
bool FindLine(HMIXEROBJ mixer, const MIXERLINEW& destination, DWORD controlType, DWORD* lineId) {
    if (LineHasControl(mixer, destination, controlType)) {
        *lineId = destination.dwLineID;
        return true;
    }
    for (DWORD source = 0; source < destination.cConnections; ++source) {
        MIXERLINEW line{};
        line.cbStruct = sizeof line;
        line.dwDestination = destination.dwDestination;
        line.dwSource = source;
        if (mixerGetLineInfoW(mixer, &line, MIXER_GETLINEINFOF_SOURCE | MIXER_OBJECTF_HMIXER) !=
            MMSYSERR_NOERROR)
            continue;
        if (line.dwComponentType != MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE &&
            line.dwComponentType != MIXERLINE_COMPONENTTYPE_SRC_UNDEFINED)
            continue;
        if (LineHasControl(mixer, line, controlType)) {
            *lineId = line.dwLineID;
            return true;
        }
    }
    return false;
}

bool UseControl(HMIXEROBJ mixer, DWORD lineId, MixerControlKind kind, uint32_t* value,
                uint32_t* minimum, uint32_t* maximum) {
    MIXERCONTROLW control{};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSW request{};
    request.cbStruct = sizeof request;
    request.dwLineID = lineId;
    request.dwControlType = kControlTypes[kind];
    request.cControls = 1;
    request.cbmxctrl = sizeof control;
    request.pamxctrl = &control;
    if (mixerGetLineControlsW(mixer, &request,
                              MIXER_GETLINECONTROLSF_ONEBYTYPE | MIXER_OBJECTF_HMIXER) !=
        MMSYSERR_NOERROR)
        return false;

    MIXERCONTROLDETAILS_UNSIGNED detail{};
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;
    details.cbDetails = sizeof detail;
    details.paDetails = &detail;
    if (IsWrite(kind)) {
        detail.dwValue = *value;
        return mixerSetControlDetails(mixer, &details,
                                      MIXER_SETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_HMIXER) ==
               MMSYSERR_NOERROR;
    }
    if (mixerGetControlDetailsW(mixer, &details,
                                MIXER_GETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_HMIXER) !=
        MMSYSERR_NOERROR)
        return false;
    *value = detail.dwValue;
    if (kind == MIXER_READ_VOLUME) {
        if (minimum)
            *minimum = control.Bounds.dwMinimum;
        if (maximum)
            *maximum = control.Bounds.dwMaximum;
    }
    return true;
}

}  // namespace

int MixerIndexByDescription(const std::u16string& description) {
    if (description.empty())
        return -1;
    const UINT devices = mixerGetNumDevs();
    for (UINT index = 0; index < devices; ++index) {
        HMIXER raw = nullptr;
        if (mixerOpen(&raw, index, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
            continue;
        const UniqueMixer mixer(raw);
        MIXERLINEW destination{};
        destination.cbStruct = sizeof destination;
        destination.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
        if (mixerGetLineInfoW(reinterpret_cast<HMIXEROBJ>(raw), &destination,
                              MIXER_GETLINEINFOF_COMPONENTTYPE | MIXER_OBJECTF_HMIXER) ==
                MMSYSERR_NOERROR &&
            NamesAgree(destination.Target.szPname, description))
            return static_cast<int>(index);
    }
    return -1;
}

uint32_t MixerControlByDescription(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                                   uint32_t* maximum, const std::u16string& description) {
    if (kind < MIXER_READ_VOLUME || kind > MIXER_WRITE_BOOST || !value)
        return 0;
    // An empty description agrees with every name (nothing is compared): the headset was not
    // found, and no other device's microphone may be driven instead.
    if (description.empty())
        return 0;
    const UINT devices = mixerGetNumDevs();
    for (UINT index = 0; index < devices; ++index) {
        HMIXER raw = nullptr;
        if (mixerOpen(&raw, index, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
            continue;
        const UniqueMixer mixer(raw);
        const auto object = reinterpret_cast<HMIXEROBJ>(raw);

        MIXERLINEW destination{};
        destination.cbStruct = sizeof destination;
        destination.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
        if (mixerGetLineInfoW(object, &destination,
                              MIXER_GETLINEINFOF_COMPONENTTYPE | MIXER_OBJECTF_HMIXER) !=
                MMSYSERR_NOERROR ||
            !NamesAgree(destination.Target.szPname, description))
            continue;
        DWORD lineId = 0;
        if (!FindLine(object, destination, kControlTypes[kind], &lineId))
            continue;
        return UseControl(object, lineId, kind, value, minimum, maximum) ? 1 : 0;
    }
    return 0;
}
