// What each control of the panel runs, once the presentation has decided that it runs (the device
// warning and the press/release timing are the presentation's). Switches flip their state first
// and are repainted through IPanelView::ShowToggle; the operations' codes are ignored.
#pragma once

#include "PanelContext.h"

void OnEqSwitch(PanelContext& ctx);                  // TAG_EQ_SWITCH
void On3DSwitch(PanelContext& ctx);                  // TAG_3D_SWITCH
void OnPresetButton(PanelContext& ctx, int preset);  // TAG_PRESET_S1-S4 as presets 1-4
void OnFbmSwitch(PanelContext& ctx);                 // TAG_FBM_SWITCH
void OnEffectButton(PanelContext& ctx, int effect);  // TAG_EFFECT_* as effects 1-5
void OnMicBoostSwitch(PanelContext& ctx);            // TAG_MIC_BOOST
void OnMicMuteSwitch(PanelContext& ctx);             // TAG_MIC_MUTE
// TAG_SYNC: only with the device present and the EQ or 3D page on show.
void OnSyncButton(PanelContext& ctx);
void OnVirtualSwitch(PanelContext& ctx);                   // TAG_VIRTUAL_SWITCH
void OnRotationSwitch(PanelContext& ctx, bool clockwise);  // TAG_ROTATE_*
void OnLedSwitch(PanelContext& ctx);                       // TAG_LED
void OnEqResetButton(PanelContext& ctx);                   // TAG_EQ_RESET
void On3DResetButton(PanelContext& ctx);                   // TAG_3D_RESET
void OnVirtualResetButton(PanelContext& ctx);              // TAG_VIRTUAL_RESET

// The press actions above by control tag; false for a tag that has none here.
bool RunControlAction(PanelContext& ctx, int tag);

// Slider drags and bar presses: the wanted Top is clamped to the slider's travel, the picture
// moved, and the value carried to the device.
void OnEqSliderMoved(PanelContext& ctx, int sliderTag, int top);  // TAG_EQ_SLIDER_*
// TAG_3D_LEFT_BETA-TAG_3D_RIGHT_ALPHA; the partner slider follows the pair's link mode.
void On3DSliderMoved(PanelContext& ctx, int sliderTag, int top);
void OnMicSliderMoved(PanelContext& ctx, int top);  // TAG_MIC_SLIDER
// The same for the microphone slider of this tag (as the catalogue's slider handlers take it).
void OnMicSliderMoved(PanelContext& ctx, int sliderTag, int top);

// A slider that shows a chip setting (its row's ShownBy): the setting follows it.
void OnSettingSliderMoved(PanelContext& ctx, int sliderTag, int top);

// A speaker icon has been moved by the pointer; the table goes into the panel's rotation state.
void OnSpeakerIconDragged(PanelContext& ctx);

// Page 0 (EQ) or 1 (3D) has been shown: the chip gets the enable states again.
void OnPageShown(PanelContext& ctx, int page);
