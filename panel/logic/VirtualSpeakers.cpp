#include "VirtualSpeakers.h"

#include "ControlTags.h"
#include "Discovery.h"

namespace {

void MoveSpeakerIcons(IPanelView& view, const Point icons[kSpeakerCount]) {
    for (int k = 0; k < kSpeakerCount; ++k) {
        view.MoveImage(TAG_SPEAKER_L + k, icons[k]);
    }
}

}  // namespace

void ReadSpeakerIcons(const IPanelView& view, Point icons[kSpeakerCount]) {
    for (int k = 0; k < kSpeakerCount; ++k) {
        icons[k] = view.ImagePosition(TAG_SPEAKER_L + k);
    }
}

uint32_t PlaceSpeakersAndSend(PanelContext& ctx, RotationState& fill) {
    Point icons[kSpeakerCount];
    ReadSpeakerIcons(ctx.view, icons);
    float table[kSpeakerTableSize];
    ComputeSpeakerTable(icons, ctx.skin.centerX, ctx.skin.centerY, fill, table);
    return ExtSetSpeakers(ctx.driver, static_cast<uint32_t>(ctx.state.virtualEnabled), table);
}

uint32_t VirtualReset(PanelContext& ctx) {
    Point icons[kSpeakerCount];
    DefaultSpeakerLayout({ctx.skin.centerX, ctx.skin.centerY, ctx.skin.radius}, icons);
    MoveSpeakerIcons(ctx.view, icons);
    return PlaceSpeakersAndSend(ctx, ctx.state.rotation);
}

uint32_t RotationStep(PanelContext& ctx, Rotation direction) {
    Point icons[kSpeakerCount];
    RotateSpeakers(ctx.state.rotation, ctx.skin.centerX, ctx.skin.centerY, direction, icons);
    MoveSpeakerIcons(ctx.view, icons);
    // Recomputed angles come from truncated pixels: they must not replace the advanced ones.
    RotationState scratch;
    return PlaceSpeakersAndSend(ctx, scratch);
}

void TimerTimer(PanelContext& ctx) {
    if (!ctx.device.devicePresent) {
        return;
    }
    if (ctx.state.rotateClockwise) {
        RotationStep(ctx, Rotation::Clockwise);
    } else if (ctx.state.rotateCounterClockwise) {
        RotationStep(ctx, Rotation::CounterClockwise);
    }
}
