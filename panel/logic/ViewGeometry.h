// Positions and the skin's slider and speaker geometry, shared by the logic and the presentation.
#pragma once

struct Point {
    int x = 0;
    int y = 0;
};

inline bool operator==(Point a, Point b) {
    return a.x == b.x && a.y == b.y;
}
inline bool operator!=(Point a, Point b) {
    return !(a == b);
}

// A slider's Top ranges over top0 .. top0 + length.
struct SliderRange {
    int top0 = 0;
    int length = 0;
};

// Numbers the skin supplies.
struct SkinGeometry {
    int sliderTravel = 120;  // L, shared by every slider
    int eqTop0 = 0;          // EQ slider Top ranges over eqTop0 .. eqTop0 + L
    int micTop0 = 0;         // Mic slider Top ranges over micTop0 .. micTop0 + L
    int centerX = 0;         // virtual 7.1 picture: centre and radius
    int centerY = 0;
    int radius = 60;
    int micProgressLength = 200;  // full width of the level bar
};
