// The panel's model of the headset's sound settings (held by the main window). Flags are 32-bit
// integers holding 0 or 1.
#pragma once

#include <cstdint>

#include "RegisterMap.h"
#include "SpeakerGeometry.h"

constexpr int kEqPresetCount = 4;

struct PanelState {
    int32_t eqEnabled = 0;
    int32_t d3Enabled = 0;
    int32_t fbm = 1;            // the FBM switch as shown and saved
    int32_t currentPreset = 1;  // 1-4 (S1-S4)
    int32_t currentEffect = 1;  // 1 Nothing, 2 Theater, 3 Bathroom, 4 Living room, 5 StoneGallery
    int32_t virtualEnabled = 0;
    int32_t rotateClockwise = 0;  // at most one of the two is on
    int32_t rotateCounterClockwise = 0;
    int32_t led = 1;
    int32_t micBoost = 0;
    int32_t micMute = 0;
    int32_t micLevel = 0;  // last level shown, 0-100
    // Set while a profile is written; keeps preset recall off the chip.
    int32_t saving = 0;
    // 3D slider pairing: -1 at start, then 0 independent, 1 together, 2 mirrored.
    int32_t alphaLinkMode = -1;
    int32_t betaLinkMode = -1;

    EqRecord workingEq;  // always equal to the preset block last shown
    D3Record d3;         // from the default image after Initialise3D
    SettingsImage image{};
    // Slider Top minus EQ top0, per preset and band.
    int32_t eqOffsets[kEqPresetCount][kEqBandCount] = {};
    // Advanced by the rotation; replaced only by the callers that name it.
    RotationState rotation;
};
