#include "SliderKeys.h"

#include <algorithm>
#include <cstdint>

namespace {

// A skin may give any travel: past this many pixels a step goes to the end.
constexpr int64_t kMaxWalk = 1 << 16;

struct Ends {
    int64_t top;
    int64_t bottom;
};

Ends EndsOf(const SliderTrack& track, const SkinGeometry& skin) {
    const SliderRange travel = TravelOf(track, skin);
    return {travel.top0, int64_t{travel.top0} + std::max(0, travel.length)};
}

int Narrow(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

int TopEnd(const SliderTrack& track, const SkinGeometry& skin, int direction) {
    const Ends ends = EndsOf(track, skin);
    return Narrow(direction < 0 ? ends.top : ends.bottom);
}

int StepTop(const SliderTrack& track, const SkinGeometry& skin, int top, double now, int direction,
            double amount) {
    const Ends ends = EndsOf(track, skin);
    const int64_t from = std::clamp<int64_t>(top, ends.top, ends.bottom);
    const int64_t end = direction < 0 ? ends.top : ends.bottom;
    if (!track.steps.shown) {
        return Narrow(std::clamp<int64_t>(from + direction, ends.top, ends.bottom));
    }
    // Up the values grow. A hair below the amount, so that sums of inexact steps count.
    const double wanted = direction < 0 ? now + amount - 1e-9 : now - amount + 1e-9;
    int64_t at = from;
    for (int64_t walked = 0; walked < kMaxWalk; ++walked) {
        const double value = track.steps.shown(skin, static_cast<int>(at));
        if (direction < 0 ? value >= wanted : value <= wanted) {
            return Narrow(at);
        }
        if (at == end) {
            break;
        }
        at += direction;
    }
    return Narrow(end);
}
