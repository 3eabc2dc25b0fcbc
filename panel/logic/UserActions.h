// What each control of the panel runs, once the presentation has decided that it runs (the device
// warning and the press/release timing are the presentation's). Switches flip their state first
// and are repainted through IPanelView::ShowToggle; the operations' codes are ignored.
#pragma once

#include "PanelContext.h"

void OnEqSwitch(PanelContext& ctx);                  // 7
void On3DSwitch(PanelContext& ctx);                  // 8
void OnPresetButton(PanelContext& ctx, int preset);  // 9-12 as presets 1-4
void OnFbmSwitch(PanelContext& ctx);                 // 13
void OnEffectButton(PanelContext& ctx, int effect);  // 16-20 as effects 1-5
void OnMicBoostSwitch(PanelContext& ctx);            // 21
void OnMicMuteSwitch(PanelContext& ctx);             // 22
// 28: only with the device present and the EQ or 3D page on show.
void OnSyncButton(PanelContext& ctx);
void OnVirtualSwitch(PanelContext& ctx);                   // 47
void OnRotationSwitch(PanelContext& ctx, bool clockwise);  // 49, 50
void OnLedSwitch(PanelContext& ctx);                       // 51
void OnEqResetButton(PanelContext& ctx);                   // 5
void On3DResetButton(PanelContext& ctx);                   // 6
void OnVirtualResetButton(PanelContext& ctx);              // 48

// The press actions above by control tag; false for a tag that has none here.
bool RunControlAction(PanelContext& ctx, int tag);

// Slider drags and bar presses: the wanted Top is clamped to the slider's travel, the picture
// moved, and the value carried to the device.
void OnEqSliderMoved(PanelContext& ctx, int sliderTag, int top);  // 29-33
// 34-37; the partner slider follows the pair's link mode.
void On3DSliderMoved(PanelContext& ctx, int sliderTag, int top);
void OnMicSliderMoved(PanelContext& ctx, int top);  // 38
void OnMicSliderMoved(PanelContext& ctx, int sliderTag, int top);

// A speaker icon has been moved by the pointer; the table goes into the panel's rotation state.
void OnSpeakerIconDragged(PanelContext& ctx);

// Page 0 (EQ) or 1 (3D) has been shown: the chip gets the enable states again.
void OnPageShown(PanelContext& ctx, int page);
