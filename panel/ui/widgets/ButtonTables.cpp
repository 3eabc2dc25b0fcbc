#include "ButtonTables.h"

#include <cstddef>

namespace {

const ButtonKeys kPushButtons[] = {
    {0, "CloseImageUp", "CloseImageDown", nullptr},
    {1, "MinimizeImageUp", "MinimizeImageDown", nullptr},
    {2, "Menu1ImageUp", "Menu1ImageDown", "LabelMenu1"},
    {3, "Menu2ImageUp", "Menu2ImageDown", "LabelMenu2"},
    {4, "Menu3ImageUp", "Menu3ImageDown", "LabelMenu3"},
    {5, "EQResetImageUp", "EQResetImageDown", "LabelEQReset"},
    {6, "D3ResetImageUp", "D3ResetImageDown", "Label3DReset"},
    {48, "VirtualResetUpImage", "VirtualResetDownImage", "Label7ch1Reset"},
};

// The FBM label takes its own style's colours, as the whole-window repaint paints it.
const ButtonKeys kToggles[] = {
    {7, "EQEQENImageUp", "EQEQENImageDown", "LabelEQEnable"},
    {8, "EQ3DENImageUp", "EQ3DENImageDown", "LableEQ3DEnable"},
    {13, "D3FBMImageUp", "D3FBMImageDown", "Label3DFBM"},
    {21, "MicBoostImageUp", "MicBoostImageDown", "LabelMicBoost"},
    {22, "MicMuteImageUp", "MicMuteImageDown", "LabelMicMute"},
    {47, "VirtualEnableImageUp", "VirtualEnableImageDown", "Label7ch1Enable"},
    {49, "VirtualClockwiseUpImage", "VirtualClockwiseDownImage", "LabelVirtualClockwise"},
    {50, "VirtualCounterclockwiseUpImage", "VirtualCounterclockwiseDownImage",
     "LabelVirtualCounterclockwise"},
    {51, "LedImageUp", "LedImageDown", nullptr},
};

// Every label of a group takes the colours of the group's first style.
const ButtonKeys kSelectors[] = {
    {9, "EQS1ImageUp", "EQS1ImageDown", "LabelEQS1"},
    {10, "EQS2ImageUp", "EQS2ImageDown", "LabelEQS1"},
    {11, "EQS3ImageUp", "EQS3ImageDown", "LabelEQS1"},
    {12, "EQS4ImageUp", "EQS4ImageDown", "LabelEQS1"},
    {16, "EffectButtonNonImageUp", "EffectButtonNonImageDown", "LabelEffectNothing"},
    {17, "EffectButtonTheaterImageUp", "EffectButtonTheaterImageDown", "LabelEffectNothing"},
    {18, "EffectButtonBathroomImageUp", "EffectButtonBathroomImageDown", "LabelEffectNothing"},
    {19, "EffectButtonLivingroomImageUp", "EffectButtonLivingroomImageDown", "LabelEffectNothing"},
    {20, "EffectButtonStoneGalleryImageUp", "EffectButtonStoneGalleryImageDown",
     "LabelEffectNothing"},
};

template <size_t N>
const ButtonKeys* Lookup(const ButtonKeys (&table)[N], int tag) {
    for (const ButtonKeys& keys : table) {
        if (keys.tag == tag) {
            return &keys;
        }
    }
    return nullptr;
}

}  // namespace

const ButtonKeys* PushButtonKeys(int tag) {
    return Lookup(kPushButtons, tag);
}

const ButtonKeys* ToggleKeys(int tag) {
    return Lookup(kToggles, tag);
}

const ButtonKeys* SelectorKeys(int tag) {
    return Lookup(kSelectors, tag);
}

const char* EffectPictureKey(int effect) {
    static const char* const keys[] = {"EffectPicNonImage", "EffectPicTheaterImage",
                                       "EffectPicBathroomImage", "EffectPicLivingroomImage",
                                       "EffectPicStoneGalleryImage"};
    return effect >= 1 && effect <= 5 ? keys[effect - 1] : keys[0];
}

const char* LinkPictureKey(int tag, int mode) {
    static const char* const alpha[] = {"D3AlphaIndepImage", "D3AlphaDepImage", "D3AlphaInvImage"};
    static const char* const beta[] = {"D3BetaIndepImage", "D3BetaDepImage", "D3BetaInvImage"};
    const int m = mode >= 0 && mode <= 2 ? mode : 0;
    return tag == 14 ? alpha[m] : beta[m];
}
