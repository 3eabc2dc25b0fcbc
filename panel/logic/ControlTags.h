// Tags of the main window's controls that the logic drives or reads.
#pragma once

enum ControlTag : int {
    TAG_EQ_RESET = 5,
    TAG_3D_RESET = 6,
    TAG_EQ_SWITCH = 7,
    TAG_3D_SWITCH = 8,
    TAG_PRESET_S1 = 9,  // S1-S4: 9-12
    TAG_PRESET_S4 = 12,
    TAG_FBM_SWITCH = 13,
    TAG_EFFECT_NOTHING = 16,  // effects 1-5: 16-20
    TAG_EFFECT_STONE_GALLERY = 20,
    TAG_MIC_BOOST = 21,
    TAG_MIC_MUTE = 22,
    TAG_SYNC = 28,
    TAG_EQ_SLIDER_60HZ = 29,  // bands 0-4: 29-33; their value labels carry the same tags
    TAG_EQ_SLIDER_12000HZ = 33,
    TAG_3D_LEFT_BETA = 34,
    TAG_3D_LEFT_ALPHA = 35,
    TAG_3D_RIGHT_BETA = 36,
    TAG_3D_RIGHT_ALPHA = 37,
    TAG_MIC_SLIDER = 38,  // also MicValueLabel
    TAG_SPEAKER_L = 39,   // speakers in table order: 39-46
    TAG_VIRTUAL_SWITCH = 47,
    TAG_VIRTUAL_RESET = 48,
    TAG_ROTATE_CLOCKWISE = 49,
    TAG_ROTATE_COUNTERCLOCKWISE = 50,
    TAG_LED = 51,
};

// Pages of BackNotebook.
enum PanelPage : int {
    PAGE_EQ = 0,
    PAGE_3D = 1,
    PAGE_EFFECT = 2,
    PAGE_MIC = 3,
    PAGE_VIRTUAL = 4,
};
