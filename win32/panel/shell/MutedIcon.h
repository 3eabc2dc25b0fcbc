// The muted variant of an icon: its own pixels at its own size with the muted mark drawn over
// them (panel/ui/mictray/MutedBadge), as a 32-bit icon with alpha.
#pragma once

#include <windows.h>

#include "GdiHandles.h"
#include "MutedBadge.h"

// The icon's pixels, straight alpha; an icon without alpha takes it from its mask. Empty when
// the icon cannot be read.
ArgbImage IconPixels(HICON icon);

// A 32-bit icon with alpha made from pixels; null when it cannot be made.
UniqueIcon IconFromPixels(const ArgbImage& image);

// Null when base cannot be read.
UniqueIcon MakeMutedIcon(HICON base);
