// Tags of the main window's controls: every tag the catalogue gives. A label carries the tag of
// the button it captions, a value label the tag of its slider, a bar its slider's tag plus
// kBarTagOffset.
#pragma once

enum ControlTag : int {
    TAG_NONE = 0,  // also the close button
    TAG_MINIMIZE = 1,
    TAG_MENU_SAVE_PROFILE = 2,
    TAG_MENU_LOAD_PROFILE = 3,
    TAG_MENU_ABOUT = 4,
    TAG_EQ_RESET = 5,
    TAG_3D_RESET = 6,
    TAG_EQ_SWITCH = 7,
    TAG_3D_SWITCH = 8,
    TAG_PRESET_S1 = 9,  // S1-S4: 9-12
    TAG_PRESET_S2 = 10,
    TAG_PRESET_S3 = 11,
    TAG_PRESET_S4 = 12,
    TAG_FBM_SWITCH = 13,
    TAG_3D_ALPHA_LINK = 14,
    TAG_3D_BETA_LINK = 15,
    TAG_EFFECT_NOTHING = 16,  // effects 1-5: 16-20
    TAG_EFFECT_THEATER = 17,
    TAG_EFFECT_BATHROOM = 18,
    TAG_EFFECT_LIVINGROOM = 19,
    TAG_EFFECT_STONE_GALLERY = 20,
    TAG_MIC_BOOST = 21,
    TAG_MIC_MUTE = 22,
    TAG_PAGE_EQ = 23,  // page tabs in page order: 23-27
    TAG_PAGE_3D = 24,
    TAG_PAGE_EFFECT = 25,
    TAG_PAGE_MIC = 26,
    TAG_PAGE_VIRTUAL = 27,
    TAG_SYNC = 28,
    TAG_EQ_SLIDER_60HZ = 29,  // bands 0-4: 29-33; their value labels carry the same tags
    TAG_EQ_SLIDER_300HZ = 30,
    TAG_EQ_SLIDER_1200HZ = 31,
    TAG_EQ_SLIDER_3600HZ = 32,
    TAG_EQ_SLIDER_12000HZ = 33,
    TAG_3D_LEFT_BETA = 34,
    TAG_3D_LEFT_ALPHA = 35,
    TAG_3D_RIGHT_BETA = 36,
    TAG_3D_RIGHT_ALPHA = 37,
    TAG_MIC_SLIDER = 38,  // also MicValueLabel
    TAG_SPEAKER_L = 39,   // speakers in table order: 39-46
    TAG_SPEAKER_R = 40,
    TAG_SPEAKER_C = 41,
    TAG_SPEAKER_SUB = 42,
    TAG_SPEAKER_LS = 43,
    TAG_SPEAKER_RS = 44,
    TAG_SPEAKER_LB = 45,
    TAG_SPEAKER_RB = 46,
    TAG_VIRTUAL_SWITCH = 47,
    TAG_VIRTUAL_RESET = 48,
    TAG_ROTATE_CLOCKWISE = 49,
    TAG_ROTATE_COUNTERCLOCKWISE = 50,
    TAG_LED = 51,
    TAG_EQ_BAR_60HZ = 129,  // bars: their slider's tag + kBarTagOffset
    TAG_EQ_BAR_300HZ = 130,
    TAG_EQ_BAR_1200HZ = 131,
    TAG_EQ_BAR_3600HZ = 132,
    TAG_EQ_BAR_12000HZ = 133,
    TAG_MIC_BAR = 138,
};

constexpr int kBarTagOffset = 100;

// Pages of BackNotebook.
enum PanelPage : int {
    PAGE_EQ = 0,
    PAGE_3D = 1,
    PAGE_EFFECT = 2,
    PAGE_MIC = 3,
    PAGE_VIRTUAL = 4,
};
