// The equaliser: settings initialisation, the bypass and enable writes, band writes and the four
// presets. Register operations run one exchange each (open, registers, idle report, close) and
// return 0 or the code of the step that failed; a failed step sends no idle report.
#pragma once

#include <cstdint>

#include "PanelContext.h"

// Settings image with four equal default presets (all marked as last block), every EQ offset at
// L div 2, the working record at its default, EQ off.
void InitialiseSettings(PanelState& state, const SkinGeometry& skin);

// Bypass := not eqEnabled; with synchronise, 0x129 bit 7 follows it.
// 1 open; 2 read; 3 write; 4 idle report.
uint32_t EqBypassUpdate(PanelContext& ctx, int32_t eqEnabled);

// on exactly 1: 0x100 bit 2 set and the working record written; otherwise, while the presence
// handle is open, bit 2 cleared. Ignores synchronise.
// 1 open; 2 read / 3 write 0x100; 4 EQ registers; 5 read / 6 write 0x100; 7 idle report.
uint32_t EqEnableWrite(PanelContext& ctx, int32_t on);

// 0x100 bit 2 cleared on an open exchange; the chip's other bits of 0x100 are kept, as they
// power up set. 0; 1 read; 2 write.
uint32_t ClearEqPath(IHidDevice& hid);

// Gain of the slider sliderTag (29-33) into the working record; with synchronise exactly 1 the
// bypass update (its own exchange) and the band's two registers. A tag outside 29-33 does
// nothing and gives 1.
// 1 open; 2 low byte; 3 read 0x129 (band 4); 4 high nibble; 5 idle report.
uint32_t BandWrite(PanelContext& ctx, int sliderTag, int32_t synchronise);

// Working record into preset block index (0-3); only the last block is marked as such.
void PresetStore(PanelState& state, int index);

// Preset (1-4) block into the working record; with synchronise and not saving, all ten EQ
// registers. 1 open; 2 EQ registers; 3 idle report.
uint32_t PresetRecall(PanelContext& ctx, int preset);

// Preset block index (0-3) into the working record, sliders and value labels placed, EQ switch
// repainted.
void PresetDisplay(PanelContext& ctx, int index);

// The five EQ sliders placed from preset block index (0-3); their labels show the gains in hex.
void PlaceEqSliders(PanelContext& ctx, int index);

// Current preset back to the default record, shown, and (with synchronise) written band by band
// and as a whole; then the 3D bypass update. No idle report of its own.
// 3 open; 4 EQ registers.
uint32_t EqReset(PanelContext& ctx);
