// The virtual 7.1 speakers: icon positions to the driver's table of gains and angles, the
// default circle and the one-degree rotation. Pure arithmetic; nothing here allocates.
#pragma once

#include "ViewGeometry.h"

// Table order, also the order of the icon tags 39-46.
enum SpeakerIndex : int {
    SPEAKER_L = 0,
    SPEAKER_R = 1,
    SPEAKER_C = 2,
    SPEAKER_SUB = 3,
    SPEAKER_LS = 4,
    SPEAKER_RS = 5,
    SPEAKER_LB = 6,
    SPEAKER_RB = 7,
};

constexpr int kSpeakerCount = 8;
constexpr int kSpeakerTableSize = 2 * kSpeakerCount;  // gains 0-7, then angles 8-15

// The driver works with pi taken as 3.14159.
constexpr double kSpeakerPi = 3.14159;
constexpr double kSpeakerTwoPi = 6.28318;
constexpr double kRotationStep = 0.017453277777777776;  // one degree of that pi

// Per speaker: angle in radians and distance in pixels from the centre.
struct RotationState {
    float angle[kSpeakerCount] = {};
    double distance[kSpeakerCount] = {};
};

struct SpeakerCircle {
    int cx = 0;
    int cy = 0;
    int r = 0;
};

struct SpeakerFigures {
    float angle = 0;
    double distance = 0;
    float gain = 0;
};

// One icon (its top-left corner) seen from the centre.
SpeakerFigures SpeakerFromPosition(Point icon, int cx, int cy);

// Fills the rotation state with every icon's angle and distance and the table with gains and
// angles.
void ComputeSpeakerTable(const Point icons[kSpeakerCount], int cx, int cy, RotationState& fill,
                         float table[kSpeakerTableSize]);

// The reset layout: seven icons on a circle of 1.6 r, SUB at half the radius above the centre.
void DefaultSpeakerLayout(const SpeakerCircle& circle, Point icons[kSpeakerCount]);

enum class Rotation { Clockwise, CounterClockwise };

// One tick's angle: one degree on (clockwise increases it), within one turn (0 to 2 pi), held as
// a 32-bit float.
float AdvanceAngle(float angle, Rotation direction);

// Places each icon from its angle before the step, then advances the angle by one degree
// (clockwise increases it). Distances do not change.
void RotateSpeakers(RotationState& state, int cx, int cy, Rotation direction,
                    Point icons[kSpeakerCount]);
