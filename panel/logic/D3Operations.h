// The 3D effect: initialisation, its flag in the EQ path, the enable, FBM and channel writes, the
// slider placement and the reset. Codes as in EqOperations.h: 0, or the step that failed.
#pragma once

#include <cstdint>

#include "PanelContext.h"

// 3D off, FBM on, the 3D record from the factory image.
void Initialise3D(PanelState& state);

// Through3D := d3Enabled; with synchronise, 0x129 bit 4 follows it.
// 1 open; 2 read; 3 write; 4 idle report.
uint32_t D3BypassUpdate(PanelContext& ctx, int32_t d3Enabled);

// on exactly 1: 0x18A bit 6 set and the 3D record written; otherwise, while the presence handle
// is open, 0x18A := 0x18A AND 0x04, which clears the FBM bit too. Ignores synchronise.
// 1 open; 2 read / 3 write 0x18A; 4 3D registers; 5 read / 6 write 0x18A; 7 idle report.
uint32_t D3EnableWrite(PanelContext& ctx, int32_t on);

// 3D record FBM := on, and 0x18A bit 0 with it, whatever synchronise says.
// 2 open; 3 read; 4 write; 5 idle report.
uint32_t FbmWrite(PanelContext& ctx, int32_t on);

// Both values of one channel from its sliders into the 3D record; with synchronise exactly 1 the
// FBM bit and both channels' registers.
// 1 open; 2 read / 3 write 0x18A; 4 left channel; 5 right channel; 7 idle report.
uint32_t LeftChannel3DWrite(PanelContext& ctx, int32_t synchronise);
uint32_t RightChannel3DWrite(PanelContext& ctx, int32_t synchronise);

// The four 3D sliders placed from the 3D record, the FBM switch and the value labels repainted.
void Place3DSliders(PanelContext& ctx);
// The four value labels from the sliders' positions.
void Refresh3DValueLabels(PanelContext& ctx);

// 3D record and FBM back to their defaults, placed, and with synchronise written. No idle report.
// 2 open; 3 3D registers.
uint32_t D3Reset(PanelContext& ctx);
