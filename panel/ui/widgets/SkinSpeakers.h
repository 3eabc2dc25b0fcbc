// The speaker icons after a skin change: around the new centre, at their angles, their distances
// scaled by the new radius over the previous one.
#pragma once

#include "PanelContext.h"

// The scaled distances become the rotation's, so the next rotation step continues from where
// the icons now are. A previous radius of 0 or less keeps the distances.
void PlaceSpeakersForSkin(PanelContext& ctx, int previousRadius);
