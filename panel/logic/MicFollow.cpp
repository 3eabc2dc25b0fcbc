#include "MicFollow.h"

#include "MicOperations.h"

void MicFollower::Follow() {
    const DeviceState& d = ctx_.device;
    if (watch_.Watching() || !d.presence) {
        return;
    }
    if (d.osGeneration == kCoreAudioGeneration) {
        if (!d.captureEndpointId.empty()) {
            watch_.Start(d.captureEndpointId, d.vendorId, d.productId);
        }
        return;
    }
    watch_.Start(u"", d.vendorId, d.productId);
}

void MicFollower::Unfollow() {
    watch_.Stop();
}

bool MicFollower::OnNotice(const MicNotice& notice) {
    DeviceState& d = ctx_.device;
    if (!d.presence) {
        return false;
    }
    switch (notice.change) {
        case MicChange::Removed:
            // The audio function went while the HID interface stays: nothing left to watch.
            Unfollow();
            return false;
        case MicChange::DefaultDevice:
            // Which endpoint is the headset's does not depend on the default; it may have come
            // back.
            if (!watch_.Watching()) {
                LookUpCaptureEndpoint(d, ctx_.audio);
                d.captureEndpoint.reset();
                Follow();
            }
            return false;
        case MicChange::Controls:
            break;
        default:
            return false;
    }
    // What the panel already shows, such as the echo of its own write: no need to read again.
    const PanelState& s = ctx_.state;
    if (notice.valuesKnown && notice.mute == s.micMute &&
        static_cast<int32_t>(notice.level) == s.micLevel) {
        return false;
    }
    DisplayRefresh(ctx_);
    return true;
}
