#include "SkinSpeakers.h"

#include <cmath>

#include "ControlTags.h"

namespace {

// Toward zero, kept inside the range of int so no value is undefined to convert.
int Truncate(double v) {
    constexpr double kLimit = 1 << 20;
    if (!(v > -kLimit)) {
        return static_cast<int>(-kLimit);
    }
    if (!(v < kLimit)) {
        return static_cast<int>(kLimit);
    }
    return static_cast<int>(v);
}

}  // namespace

void PlaceSpeakersForSkin(PanelContext& ctx, int previousRadius) {
    const SkinGeometry& g = ctx.skin;
    RotationState& rotation = ctx.state.rotation;
    const double ratio = previousRadius > 0 ? static_cast<double>(g.radius) / previousRadius : 1.0;
    for (int k = 0; k < kSpeakerCount; ++k) {
        const double distance = rotation.distance[k] * ratio;
        const double angle = rotation.angle[k];
        rotation.distance[k] = distance;
        ctx.view.MoveImage(TAG_SPEAKER_L + k, {Truncate(g.centerX + std::cos(angle) * distance),
                                               Truncate(g.centerY - std::sin(angle) * distance)});
    }
}
