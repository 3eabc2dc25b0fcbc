// The LED (GPIO over HID) and the room effect (extension driver).
#pragma once

#include <cstdint>

#include "PanelContext.h"

// Lit: a GPIO read whose pins are not used; dark: every pin written 0. Ignores
// synchronise. 1 open; 2 GPIO command; 3 idle report.
uint32_t LedWrite(PanelContext& ctx, int32_t lit);

// Room effect index 0-4 to the driver; its code (Discovery.h) is returned and ignored by callers.
uint32_t EffectSelection(PanelContext& ctx, uint32_t effectIndex);
