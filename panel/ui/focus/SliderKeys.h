// A slider's keyboard steps: the Tops an arrow, PageUp or PageDown, Home or End ask for, counted
// in the value the slider shows, not in pixels.
#pragma once

#include "Catalogue.h"

// From top (itself included) towards the travel's end in direction (-1 up, +1 down): the
// nearest Top whose shown value lies at least amount beyond now, the value shown now, in that
// direction; the end of the travel when none does. A Top outside the travel starts from the
// nearer end.
int StepTop(const SliderTrack& track, const SkinGeometry& skin, int top, double now, int direction,
            double amount);
// The end of the travel in direction (-1 the top, +1 the bottom).
int TopEnd(const SliderTrack& track, const SkinGeometry& skin, int direction);
