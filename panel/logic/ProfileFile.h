// A sound profile file: everything the user sets except the microphone, written and read key by
// key through the platform's profile strings, in the order of the settings table (ChipSettings.h).
#pragma once

#include <cstdint>
#include <string>

#include "PanelContext.h"
#include "ports/ProfileStrings.h"

// Every setting in table order: the four presets (each recalled in turn, registers held back by
// the saving flag), the 3D values and switches, the effect, the speaker icons and the LED.
void WriteProfile(PanelContext& ctx, IProfileStrings& strings, const std::u16string& file);

// Applies a profile in table order; each step reaching the chip is sent at once. Returns 0.
// A malformed or missing number throws PanelError naming the key; the steps before it stay
// applied. A key the table lets be missing (LEDON) leaves its setting alone when empty.
uint32_t ReadProfile(PanelContext& ctx, IProfileStrings& strings, const std::u16string& file);

// One value as the profile reader gets it: empty when missing, at most 255 characters.
std::u16string ReadProfileValue(IProfileStrings& strings, const std::u16string& file,
                                const std::u16string& section, const std::u16string& key);
