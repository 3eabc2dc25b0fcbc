// The registered messages through which tests move the simulator build's machine from another
// process: plug (wParam 1) or unplug (wParam 0) the headset; the machine's sleep, after which
// the chip is back at its power-up values with no device change (the test then sends the
// resume's WM_POWERBROADCAST); and a hold of wParam milliseconds (at most 5000), during which
// the panel handles nothing, so that messages posted meanwhile wait in its queue together; and
// another program's mute (wParam 1) or unmute (wParam 0) of the microphone through its endpoint.
#pragma once

constexpr wchar_t kSimPlugMessageName[] = L"AUDIOPANEL_SIM_PLUG";
constexpr wchar_t kSimSuspendMessageName[] = L"AUDIOPANEL_SIM_SUSPEND";
constexpr wchar_t kSimHoldMessageName[] = L"AUDIOPANEL_SIM_HOLD";
constexpr wchar_t kSimMicMessageName[] = L"AUDIOPANEL_SIM_MIC";
