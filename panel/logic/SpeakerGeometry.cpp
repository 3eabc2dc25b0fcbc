#include "SpeakerGeometry.h"

#include <cmath>

namespace {

// Truncation toward zero, as the icons' integer coordinates take it; held inside int's range.
int Trunc(double v) {
    constexpr double kLimit = 2147483647.0;
    return static_cast<int>(v < -kLimit ? -kLimit : (v > kLimit ? kLimit : v));
}

// Polar angle in 0 .. 2 pi, quadrant by quadrant with the driver's constants. The differences
// are taken in double: a position loaded from a profile may lie anywhere in int's range.
double PolarAngle(int x, int y, int cx, int cy) {
    const double right = static_cast<double>(x) - cx;
    const double left = static_cast<double>(cx) - x;
    const double down = static_cast<double>(y) - cy;
    const double up = static_cast<double>(cy) - y;
    if (y > cy && x < cx) {
        return kSpeakerPi + std::atan2(down, left);
    }
    if (y > cy) {
        return kSpeakerTwoPi - std::atan2(down, right);
    }
    if (x < cx) {
        return kSpeakerPi - std::atan2(up, left);
    }
    return std::atan2(up, right);
}

}  // namespace

SpeakerFigures SpeakerFromPosition(Point icon, int cx, int cy) {
    SpeakerFigures f;
    if (icon.x == cx && icon.y == cy) {
        return f;
    }
    const double dx = static_cast<double>(icon.x) - cx;
    const double dy = static_cast<double>(cy) - icon.y;
    f.distance = std::sqrt(dx * dx + dy * dy);
    f.angle = static_cast<float>(PolarAngle(icon.x, icon.y, cx, cy));
    // t decibels: +4 next to the centre, 0 at 36 pixels, falling with distance.
    const float t = static_cast<float>(4.0 - f.distance * (1.0 / 9.0));
    f.gain = static_cast<float>(std::pow(10.0, t * 0.05));
    return f;
}

void ComputeSpeakerTable(const Point icons[kSpeakerCount], int cx, int cy, RotationState& fill,
                         float table[kSpeakerTableSize]) {
    for (int k = 0; k < kSpeakerCount; ++k) {
        const SpeakerFigures f = SpeakerFromPosition(icons[k], cx, cy);
        fill.angle[k] = f.angle;
        fill.distance[k] = f.distance;
        table[k] = f.gain;
        table[kSpeakerCount + k] = f.angle;
    }
}

void DefaultSpeakerLayout(const SpeakerCircle& c, Point icons[kSpeakerCount]) {
    const double R = 1.6 * c.r;
    auto onCircle = [&](double angle) {
        return Point{Trunc(c.cx + std::cos(angle) * R), Trunc(c.cy - std::sin(angle) * R)};
    };
    icons[SPEAKER_C] = Point{c.cx, Trunc(c.cy - R)};
    icons[SPEAKER_LS] = Point{Trunc(c.cx - R), c.cy};
    icons[SPEAKER_L] = onCircle(2.3561925);
    icons[SPEAKER_LB] = onCircle(3.9269875);
    icons[SPEAKER_RB] = onCircle(5.4977825);
    icons[SPEAKER_R] = onCircle(0.7853975);
    icons[SPEAKER_SUB] = Point{c.cx, c.cy - c.r / 2};
    icons[SPEAKER_RS] = Point{Trunc(c.cx + R), c.cy};
}

float AdvanceAngle(float angle, Rotation direction) {
    // Kept within one turn: a float that grew for days would round the step away.
    constexpr double kFullTurn = 6.283185307179586;
    const double step = direction == Rotation::Clockwise ? kRotationStep : -kRotationStep;
    double next = angle + step;
    if (next >= kFullTurn) {
        next -= kFullTurn;
    } else if (next < 0) {
        next += kFullTurn;
    }
    return static_cast<float>(next);
}

void RotateSpeakers(RotationState& state, int cx, int cy, Rotation direction,
                    Point icons[kSpeakerCount]) {
    for (int k = 0; k < kSpeakerCount; ++k) {
        const double a = state.angle[k];
        const double d = state.distance[k];
        icons[k] = Point{Trunc(cx + std::cos(a) * d), Trunc(cy - std::sin(a) * d)};
        state.angle[k] = AdvanceAngle(state.angle[k], direction);
    }
}
