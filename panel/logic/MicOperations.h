// The microphone: volume, boost and mute through the capture endpoint on OS generation 6, through
// the legacy mixer on every other generation, and the display that reads them back. The endpoint
// is looked up when none is held and dropped after each operation.
#pragma once

#include <cstdint>

#include "PanelContext.h"

constexpr int kCoreAudioGeneration = 6;

// Level 0-100. Endpoint: 1 not found; 2 volume not set. Mixer: 2 volume not set.
uint32_t MicrophoneVolume(PanelContext& ctx, int32_t level);

// Level (label and slider), then boost and mute (switches) read back and shown. The first step
// that cannot reach the endpoint or mixer, or finds no volume range to scale by, ends the
// refresh: 1 level; 2 boost; 3 mute.
uint32_t DisplayRefresh(PanelContext& ctx);

// The slider where the level last shown puts it, for the skin's travel (after a skin change).
void PlaceMicSlider(PanelContext& ctx);

// Endpoint: 1 not found, else the endpoint's result. Mixer: 2 control not set.
uint32_t MicBoostWrite(PanelContext& ctx, int32_t on);
uint32_t MicMuteWrite(PanelContext& ctx, int32_t on);
