// Follows changes to the microphone made elsewhere (another program, the headset's button, the
// system's sound settings): while the headset's microphone is known, the platform's watch is
// registered; each notice it posts makes the window read the microphone again and show it. Nothing
// is ever written back, so the notice of the panel's own write changes nothing.
#pragma once

#include "PanelContext.h"
#include "ports/AudioEndpoint.h"

class MicFollower {
public:
    MicFollower(PanelContext& ctx, IMicWatch& watch) : ctx_(ctx), watch_(watch) {}
    MicFollower(const MicFollower&) = delete;
    MicFollower& operator=(const MicFollower&) = delete;

    // The headset is there and its microphone was looked up (start-up, arrival): registers the
    // watch unless it runs. Core Audio needs the endpoint's ID; the legacy mixer the headset's IDs.
    void Follow();
    // Unregisters before the endpoint goes: at removal and at shutdown.
    void Unfollow();
    // A notice reached the window: true when the microphone's display may have changed. A stale
    // notice (the headset already gone) does nothing.
    bool OnNotice(const MicNotice& notice);

private:
    PanelContext& ctx_;
    IMicWatch& watch_;
};
