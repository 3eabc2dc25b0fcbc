// The virtual 7.1 page's device side: tables from the icons to the extension driver, the reset
// circle, the rotation step and the 20 ms timer's decision. Driver codes are returned and ignored
// by the callers.
#pragma once

#include <cstdint>

#include "PanelContext.h"
#include "SpeakerGeometry.h"

// The speaker icons' current positions, in table order.
void ReadSpeakerIcons(const IPanelView& view, Point icons[kSpeakerCount]);

// Table from the icons' current positions into fill (the panel's rotation state or the caller's
// scratch copy), then sent with the virtual 7.1 enabled flag.
uint32_t PlaceSpeakersAndSend(PanelContext& ctx, RotationState& fill);

// Icons on the default circle around the skin's centre; table into the panel's rotation state.
uint32_t VirtualReset(PanelContext& ctx);

// Every icon placed from its angle before the step, the panel's angles advanced one degree, the
// table of the new positions sent from a scratch copy. Allocates nothing of its own.
uint32_t RotationStep(PanelContext& ctx, Rotation direction);

// The 20 ms timer: one step while the device is present and a direction is on (clockwise wins).
void TimerTimer(PanelContext& ctx);
