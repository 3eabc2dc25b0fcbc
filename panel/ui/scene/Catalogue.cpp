#include "Catalogue.h"

#include "ChipSettings.h"
#include "PanelContext.h"
#include "SliderMapping.h"
#include "UserActions.h"

const char16_t* const kPageNames[kPageCount] = {u"EQ", u"3D", u"Effect", u"Mic", u"Virtual7.1"};

namespace {

double EqShown(const SkinGeometry& skin, int top) {
    return EqLevelDb(EqGainFromOffset(top - skin.eqTop0, skin.sliderTravel));
}

double EqShowing(const PanelContext& ctx, int sliderTag) {
    const int band = sliderTag - TAG_EQ_SLIDER_60HZ;
    return band >= 0 && band < kEqBandCount ? EqLevelDb(ctx.state.workingEq.Gain[band]) : 0.0;
}

double D3Shown(const SkinGeometry& skin, int top) {
    return D3ValueFromTop(top, skin.sliderTravel);
}

double D3Showing(const PanelContext& ctx, int sliderTag) {
    return D3Shown(ctx.skin, ctx.view.ImagePosition(sliderTag).y);
}

double MicShown(const SkinGeometry& skin, int top) {
    return MicValueFromTop(top, skin.micTop0, skin.sliderTravel);
}

double MicShowing(const PanelContext& ctx, int) {
    return ctx.state.micLevel;
}

constexpr SliderSteps kEqSteps{EqShown, EqShowing, 1.0, 3.0};  // dB
constexpr SliderSteps k3DSteps{D3Shown, D3Showing, 1.0, 3.0};
constexpr SliderSteps kMicSteps{MicShown, MicShowing, 1.0, 10.0};

// Every slider's travel runs the skin's one length; the 3D sliders' start and end are fixed.
constexpr SliderTrack kEqSlider{
    &SkinGeometry::eqTop0, &SkinGeometry::sliderTravel, 0, 0, OnEqSliderMoved, kEqSteps};
constexpr SliderTrack k3DSlider{nullptr,         nullptr, k3DTopMin, k3DTopMax - k3DTopMin,
                                On3DSliderMoved, k3DSteps};
constexpr SliderTrack kMicSlider{
    &SkinGeometry::micTop0, &SkinGeometry::sliderTravel, 0, 0, OnMicSliderMoved, kMicSteps};

}  // namespace

// clang-format off
const CatalogueRow kCatalogue[] = {
    {"MainFormImage", Kind::Image, Role::Form, Parent::Window, TAG_NONE, {0, 0, 800, 500}, 0, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MainFormImage"}, {}, nullptr},
    {"CloseImage", Kind::Image, Role::PushButton, Parent::Window, TAG_NONE, {745, 58, 27, 27}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"CloseImageUp", "CloseImageDown"}, {}, nullptr, u"Close"},
    {"Menu1Image", Kind::Image, Role::PushButton, Parent::Window, TAG_MENU_SAVE_PROFILE, {392, 56, 64, 32}, kStretch | kTransparent | kAutoSize, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"Menu1ImageUp", "Menu1ImageDown"}, {}, nullptr},
    {"Menu2Image", Kind::Image, Role::PushButton, Parent::Window, TAG_MENU_LOAD_PROFILE, {456, 56, 64, 32}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"Menu2ImageUp", "Menu2ImageDown"}, {}, nullptr},
    {"Menu3Image", Kind::Image, Role::PushButton, Parent::Window, TAG_MENU_ABOUT, {520, 56, 64, 32}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"Menu3ImageUp", "Menu3ImageDown"}, {}, nullptr},
    {"DeviceActiveImage", Kind::Image, Role::Picture, Parent::Window, TAG_NONE, {616, 64, 97, 21}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"DeviceActiveImage"}, {}, nullptr},
    {"SyncImage", Kind::Image, Role::Indicator, Parent::Window, TAG_SYNC, {496, 446, 22, 21}, kHidden | kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr, u"Synchronize"},
    {"SyncLabel", Kind::Label, Role::Caption, Parent::Window, TAG_SYNC, {412, 453, 78, 14}, kHidden | kFixedSize, Align::Right, {u"MS Sans Serif", 11, false, kColorInactiveCaption}, Keys::Language, {"LabelSync"}, {}, nullptr},
    {"PageEQLabel", Kind::Label, Role::PageTab, Parent::Window, TAG_PAGE_EQ, {400, 416, 19, 16}, 0, Align::Center, {u"MS Sans Serif", 13, false, kColorWindow}, Keys::Language, {"LabelPageEQ"}, {}, nullptr},
    {"Page3DLabel", Kind::Label, Role::PageTab, Parent::Window, TAG_PAGE_3D, {445, 416, 16, 16}, kHidden | kDisabled, Align::Center, {u"MS Sans Serif", 13, false, kColorWindow}, Keys::Language, {"LabelPage3D"}, {}, nullptr},
    {"PageEffectLabel", Kind::Label, Role::PageTab, Parent::Window, TAG_PAGE_EFFECT, {485, 416, 33, 16}, 0, Align::Center, {u"MS Sans Serif", 13, false, kColorWindow}, Keys::Language, {"LabelPageEffect"}, {}, nullptr},
    {"PageVirtual7p1Label", Kind::Label, Role::PageTab, Parent::Window, TAG_PAGE_VIRTUAL, {585, 416, 55, 16}, 0, Align::Center, {u"MS Sans Serif", 13, false, kColorWindow}, Keys::Language, {"LabelPageVirtual7ch1"}, {}, nullptr},
    {"Bevel1", Kind::Line, Role::None, Parent::Window, TAG_NONE, {425, 416, 8, 17}, kHidden | kRightEdge, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"Bevel2", Kind::Line, Role::None, Parent::Window, TAG_NONE, {465, 415, 8, 17}, kRightEdge, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"Bevel3", Kind::Line, Role::None, Parent::Window, TAG_NONE, {525, 416, 8, 17}, kRightEdge, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"Bevel4", Kind::Line, Role::None, Parent::Window, TAG_NONE, {570, 416, 8, 17}, kRightEdge, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"Menu1Label", Kind::Label, Role::Caption, Parent::Window, TAG_MENU_SAVE_PROFILE, {392, 64, 64, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 16, true, kColorMenu}, Keys::Language, {"LabelMenu1"}, {}, nullptr},
    {"Menu2Label", Kind::Label, Role::Caption, Parent::Window, TAG_MENU_LOAD_PROFILE, {456, 64, 64, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, kColorMenu}, Keys::Language, {"LabelMenu2"}, {}, nullptr},
    {"Menu3Label", Kind::Label, Role::Caption, Parent::Window, TAG_MENU_ABOUT, {520, 64, 64, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, kColorMenu}, Keys::Language, {"LabelMenu3"}, {}, nullptr},
    {"SettingLabel", Kind::Label, Role::Text, Parent::Window, TAG_NONE, {570, 453, 150, 14}, kFixedSize, Align::Right, {u"MS Sans Serif", 11, false, kColorWindow}, Keys::Language, {"LabelSetting"}, {}, nullptr},
    {"SXLabel", Kind::Label, Role::Text, Parent::Window, TAG_NONE, {722, 453, 50, 14}, kFixedSize, Align::Left, {u"MS Sans Serif", 11, false, kColorWindow}, Keys::Language, {"LabelSX"}, {}, nullptr},
    {"LogoImage", Kind::Image, Role::Picture, Parent::Window, TAG_NONE, {56, 128, 49, 49}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"LogoImage"}, {}, nullptr},
    {"CompanyNameLabel", Kind::Label, Role::Text, Parent::Window, TAG_NONE, {111, 137, 234, 28}, 0, Align::Left, {u"Consolas", 24, true, kColorWhite}, Keys::Language, {"LabelCompanyName"}, {}, nullptr},
    {"FeaturesLabel", Kind::Label, Role::Text, Parent::Window, TAG_NONE, {56, 293, 144, 38}, 0, Align::Left, {u"Consolas", 33, false, kColorWhite}, Keys::Language, {"LabelFeatures"}, {}, nullptr},
    {"DeviceActiveLabel", Kind::Label, Role::Text, Parent::Window, TAG_NONE, {625, 68, 80, 13}, kFixedSize, Align::Center, {u"MS Sans Serif", 11, false, kColorAqua}, Keys::Language, {"LabelActive", "LabelUnactive"}, {}, nullptr},
    {"PageMicLabel", Kind::Label, Role::PageTab, Parent::Window, TAG_PAGE_MIC, {545, 416, 21, 16}, 0, Align::Center, {u"MS Sans Serif", 13, false, kColorWindow}, Keys::Language, {"LabelPageMic"}, {}, nullptr},
    {"MinimizeImage", Kind::Image, Role::PushButton, Parent::Window, TAG_MINIMIZE, {719, 58, 27, 27}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MinimizeImageUp", "MinimizeImageDown"}, {}, nullptr, u"Minimize"},
    {"LEDImage", Kind::Image, Role::Toggle, Parent::Window, TAG_LED, {692, 405, 66, 26}, kAutoSize, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"LedImageUp", "LedImageDown"}, {&PanelState::led, 0}, nullptr, u"LED"},
    {"BackNotebook", Kind::Notebook, Role::None, Parent::Window, TAG_NONE, {392, 104, 365, 292}, 0, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"BackNotebook"}, {}, nullptr},
    {"EQPanel", Kind::Panel, Role::None, Parent::PageEQ, TAG_NONE, {0, 0, 365, 292}, 0, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQPanel"}, {}, nullptr},
    {"Back_EQImage", Kind::Image, Role::Picture, Parent::EQPanel, TAG_NONE, {0, 2, 365, 292}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"Back_EQImage"}, {}, nullptr},
    {"EQEQENImage", Kind::Image, Role::Toggle, Parent::EQPanel, TAG_EQ_SWITCH, {0, 0, 123, 28}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQEQENImageUp", "EQEQENImageDown"}, {&PanelState::eqEnabled, 0}, nullptr},
    {"EQResetImage", Kind::Image, Role::PushButton, Parent::EQPanel, TAG_EQ_RESET, {242, 0, 123, 28}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQResetImageUp", "EQResetImageDown"}, {}, nullptr},
    {"EQS1Image", Kind::Image, Role::Selector, Parent::EQPanel, TAG_PRESET_S1, {0, 27, 93, 28}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQS1ImageUp", "EQS1ImageDown"}, {&PanelState::currentPreset, 1}, nullptr},
    {"EQS2Image", Kind::Image, Role::Selector, Parent::EQPanel, TAG_PRESET_S2, {91, 27, 93, 28}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQS2ImageUp", "EQS2ImageDown"}, {&PanelState::currentPreset, 2}, nullptr},
    {"EQS3Image", Kind::Image, Role::Selector, Parent::EQPanel, TAG_PRESET_S3, {182, 27, 93, 28}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQS3ImageUp", "EQS3ImageDown"}, {&PanelState::currentPreset, 3}, nullptr},
    {"EQS4Image", Kind::Image, Role::Selector, Parent::EQPanel, TAG_PRESET_S4, {272, 27, 93, 28}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQS4ImageUp", "EQS4ImageDown"}, {&PanelState::currentPreset, 4}, nullptr},
    {"EQButtonLineImage3", Kind::Image, Role::Picture, Parent::EQPanel, TAG_NONE, {91, 31, 3, 22}, kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQButtonLineImage3"}, {}, nullptr},
    {"EQButtonLineImage4", Kind::Image, Role::Picture, Parent::EQPanel, TAG_NONE, {182, 31, 3, 22}, kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQButtonLineImage4"}, {}, nullptr},
    {"EQButtonLineImage5", Kind::Image, Role::Picture, Parent::EQPanel, TAG_NONE, {272, 31, 3, 22}, kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQButtonLineImage5"}, {}, nullptr},
    {"EQ60HzBarImage", Kind::Image, Role::SliderBar, Parent::EQPanel, TAG_EQ_BAR_60HZ, {67, 84, 31, 191}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQ60HzBarImage"}, {}, nullptr},
    {"EQ300HzBarImage", Kind::Image, Role::SliderBar, Parent::EQPanel, TAG_EQ_BAR_300HZ, {128, 84, 31, 191}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQ300HzBarImage"}, {}, nullptr},
    {"EQ1200HzBarImage", Kind::Image, Role::SliderBar, Parent::EQPanel, TAG_EQ_BAR_1200HZ, {189, 84, 31, 191}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQ1200HzBarImage"}, {}, nullptr},
    {"EQ3600HzBarImage", Kind::Image, Role::SliderBar, Parent::EQPanel, TAG_EQ_BAR_3600HZ, {250, 84, 31, 191}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQ3600HzBarImage"}, {}, nullptr},
    {"EQ12000HzBarImage", Kind::Image, Role::SliderBar, Parent::EQPanel, TAG_EQ_BAR_12000HZ, {311, 84, 31, 191}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQ12000HzBarImage"}, {}, nullptr},
    {"EQ60HzSliderImage", Kind::Image, Role::Slider, Parent::EQPanel, TAG_EQ_SLIDER_60HZ, {62, 216, 40, 45}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQ60HzSliderImage"}, {}, &kEqSlider},
    {"EQ300HzSliderImage", Kind::Image, Role::Slider, Parent::EQPanel, TAG_EQ_SLIDER_300HZ, {123, 168, 40, 45}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQ300HzSliderImage"}, {}, &kEqSlider},
    {"EQ3600HzSliderImage", Kind::Image, Role::Slider, Parent::EQPanel, TAG_EQ_SLIDER_3600HZ, {245, 168, 40, 45}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQ3600HzSliderImage"}, {}, &kEqSlider},
    {"EQ1200HzSliderImage", Kind::Image, Role::Slider, Parent::EQPanel, TAG_EQ_SLIDER_1200HZ, {184, 152, 40, 45}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQ1200HzSliderImage"}, {}, &kEqSlider},
    {"EQ12000HzSliderImage", Kind::Image, Role::Slider, Parent::EQPanel, TAG_EQ_SLIDER_12000HZ, {306, 96, 40, 45}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQ12000HzSliderImage"}, {}, &kEqSlider},
    {"EQ60HzValueImage", Kind::Image, Role::Picture, Parent::EQPanel, TAG_NONE, {67, 66, 30, 23}, kHidden | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"EQ300HzValueImage", Kind::Image, Role::Picture, Parent::EQPanel, TAG_NONE, {128, 66, 30, 23}, kHidden | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"EQ3600HzValueImage", Kind::Image, Role::Picture, Parent::EQPanel, TAG_NONE, {250, 66, 30, 23}, kHidden | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"EQ1200HzValueImage", Kind::Image, Role::Picture, Parent::EQPanel, TAG_NONE, {189, 66, 30, 23}, kHidden | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"EQ12000HzValueImage", Kind::Image, Role::Picture, Parent::EQPanel, TAG_NONE, {311, 66, 30, 23}, kHidden | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"EQGraduationImage", Kind::Image, Role::Scale, Parent::EQPanel, TAG_NONE, {25, 102, 36, 153}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQGraduationImage"}, {}, nullptr},
    {"EQResetLabel", Kind::Label, Role::Caption, Parent::EQPanel, TAG_EQ_RESET, {243, 5, 121, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"LabelEQReset"}, {}, nullptr},
    {"EQS1Label", Kind::Label, Role::Caption, Parent::EQPanel, TAG_PRESET_S1, {1, 32, 93, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, kColorHighlight}, Keys::Language, {"LabelEQS1"}, {}, nullptr},
    {"EQS2Label", Kind::Label, Role::Caption, Parent::EQPanel, TAG_PRESET_S2, {91, 32, 93, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"LabelEQS2"}, {}, nullptr},
    {"EQS3Label", Kind::Label, Role::Caption, Parent::EQPanel, TAG_PRESET_S3, {182, 32, 93, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"LabelEQS3"}, {}, nullptr},
    {"EQS4Label", Kind::Label, Role::Caption, Parent::EQPanel, TAG_PRESET_S4, {272, 32, 93, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"LabelEQS4"}, {}, nullptr},
    {"EQEQENLabel", Kind::Label, Role::Caption, Parent::EQPanel, TAG_EQ_SWITCH, {-5, 5, 121, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"LabelEQEnable"}, {}, nullptr},
    {"EQ60HzValueLabel", Kind::Label, Role::SliderValue, Parent::EQPanel, TAG_EQ_SLIDER_60HZ, {78, 70, 7, 16}, kHidden, Align::Left, {u"MS Sans Serif", 13, false, kColorWindow}, Keys::None, {}, {}, nullptr},
    {"EQ300HzValueLabel", Kind::Label, Role::SliderValue, Parent::EQPanel, TAG_EQ_SLIDER_300HZ, {139, 70, 7, 16}, kHidden, Align::Left, {u"MS Sans Serif", 13, false, kColorWindow}, Keys::None, {}, {}, nullptr},
    {"EQ12000HzValueLabel", Kind::Label, Role::SliderValue, Parent::EQPanel, TAG_EQ_SLIDER_12000HZ, {322, 70, 7, 16}, kHidden, Align::Left, {u"MS Sans Serif", 13, false, kColorWindow}, Keys::None, {}, {}, nullptr},
    {"EQ3600HzValueLabel", Kind::Label, Role::SliderValue, Parent::EQPanel, TAG_EQ_SLIDER_3600HZ, {261, 70, 7, 16}, kHidden, Align::Left, {u"MS Sans Serif", 13, false, kColorWindow}, Keys::None, {}, {}, nullptr},
    {"EQ1200HzValueLabel", Kind::Label, Role::SliderValue, Parent::EQPanel, TAG_EQ_SLIDER_1200HZ, {200, 70, 7, 16}, kHidden, Align::Left, {u"MS Sans Serif", 13, false, kColorWindow}, Keys::None, {}, {}, nullptr},
    {"EQ60HzLabel", Kind::Label, Role::Text, Parent::EQPanel, TAG_NONE, {72, 270, 23, 17}, 0, Align::Left, {u"Sakkal Majalla", 13, true, kColorWindowText}, Keys::Language, {"LabelEQ60Hz"}, {}, nullptr},
    {"EQ300HzLabel", Kind::Label, Role::Text, Parent::EQPanel, TAG_NONE, {130, 270, 28, 17}, 0, Align::Left, {u"Sakkal Majalla", 13, true, kColorWindowText}, Keys::Language, {"LabelEQ300Hz"}, {}, nullptr},
    {"EQ1200HzLabel", Kind::Label, Role::Text, Parent::EQPanel, TAG_NONE, {188, 270, 33, 17}, 0, Align::Left, {u"Sakkal Majalla", 13, true, kColorWindowText}, Keys::Language, {"LabelEQ1200Hz"}, {}, nullptr},
    {"EQ3600HzLabel", Kind::Label, Role::Text, Parent::EQPanel, TAG_NONE, {249, 270, 33, 17}, 0, Align::Left, {u"Sakkal Majalla", 13, true, kColorWindowText}, Keys::Language, {"LabelEQ3600Hz"}, {}, nullptr},
    {"EQ12000HzLabel", Kind::Label, Role::Text, Parent::EQPanel, TAG_NONE, {308, 270, 38, 17}, 0, Align::Left, {u"Sakkal Majalla", 13, true, kColorWindowText}, Keys::Language, {"LabelEQ12000Hz"}, {}, nullptr},
    {"EQ3DENImage", Kind::Image, Role::Toggle, Parent::EQPanel, TAG_3D_SWITCH, {121, 0, 123, 28}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQ3DENImageUp", "EQ3DENImageDown"}, {&PanelState::d3Enabled, 0}, nullptr},
    {"EQ3DENLabel", Kind::Label, Role::Caption, Parent::EQPanel, TAG_3D_SWITCH, {122, 5, 121, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"LableEQ3DEnable"}, {}, nullptr},
    {"EQButtonLineImage1", Kind::Image, Role::Picture, Parent::EQPanel, TAG_NONE, {121, 2, 3, 22}, kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQButtonLineImage1"}, {}, nullptr},
    {"EQButtonLineImage2", Kind::Image, Role::Picture, Parent::EQPanel, TAG_NONE, {243, 2, 3, 22}, kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EQButtonLineImage2"}, {}, nullptr},
    {"D3Panel", Kind::Panel, Role::None, Parent::Page3D, TAG_NONE, {0, 0, 365, 292}, 0, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"Back_3DImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {0, 2, 365, 292}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"Back_3DImage"}, {}, nullptr},
    {"D3LBetaBarImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {33, 91, 31, 191}, kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3LBetaBarImage"}, {}, nullptr},
    {"D3LAlphaBarImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {93, 91, 31, 191}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3LAlphaBarImage"}, {}, nullptr},
    {"D3RAlphaBarImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {248, 91, 31, 191}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3RAlphaBarImage"}, {}, nullptr},
    {"D3RBetaBarImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {308, 91, 31, 191}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3RBetaBarImage"}, {}, nullptr},
    {"D3LBetaSliderImage", Kind::Image, Role::Slider, Parent::D3Panel, TAG_3D_LEFT_BETA, {27, 201, 40, 45}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3LBetaSliderImage"}, {}, &k3DSlider, u"Left beta"},
    {"D3LAlphaSliderImage", Kind::Image, Role::Slider, Parent::D3Panel, TAG_3D_LEFT_ALPHA, {87, 143, 40, 45}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3LAlphaSliderImage"}, {}, &k3DSlider, u"Left alpha"},
    {"D3RBetaSliderImage", Kind::Image, Role::Slider, Parent::D3Panel, TAG_3D_RIGHT_BETA, {303, 201, 40, 45}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3RBetaSliderImage"}, {}, &k3DSlider, u"Right beta"},
    {"D3RAlphaSliderImage", Kind::Image, Role::Slider, Parent::D3Panel, TAG_3D_RIGHT_ALPHA, {243, 143, 40, 45}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3RAlphaSliderImage"}, {}, &k3DSlider, u"Right alpha"},
    {"D3LAlphaValueImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {93, 75, 30, 23}, kHidden | kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"D3LBetaValueImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {33, 75, 30, 23}, kHidden | kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"D3RAlphaValueImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {248, 75, 30, 23}, kHidden | kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"D3RBetaValueImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {308, 75, 30, 23}, kHidden | kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::None, {}, {}, nullptr},
    {"D3LBetaValueLabel", Kind::Label, Role::SliderValue, Parent::D3Panel, TAG_3D_LEFT_BETA, {45, 80, 6, 14}, kHidden, Align::Left, {u"MS Sans Serif", 11, false, kColorWindow}, Keys::None, {}, {}, nullptr},
    {"D3LAlphaValueLabel", Kind::Label, Role::SliderValue, Parent::D3Panel, TAG_3D_LEFT_ALPHA, {105, 80, 6, 14}, kHidden, Align::Left, {u"MS Sans Serif", 11, false, kColorWindow}, Keys::None, {}, {}, nullptr},
    {"D3RBetaValueLabel", Kind::Label, Role::SliderValue, Parent::D3Panel, TAG_3D_RIGHT_BETA, {320, 80, 6, 14}, kHidden, Align::Left, {u"MS Sans Serif", 11, false, kColorWindow}, Keys::None, {}, {}, nullptr},
    {"D3RAlphaValueLabel", Kind::Label, Role::SliderValue, Parent::D3Panel, TAG_3D_RIGHT_ALPHA, {260, 80, 6, 14}, kHidden, Align::Left, {u"MS Sans Serif", 11, false, kColorWindow}, Keys::None, {}, {}, nullptr},
    {"D3LBetaLabel", Kind::Label, Role::Text, Parent::D3Panel, TAG_NONE, {48, 279, 8, 13}, 0, Align::Left, {u"MS Sans Serif", 11, true, kColorWindowText}, Keys::None, {}, {}, nullptr},
    {"D3LAlphaLabel", Kind::Label, Role::Text, Parent::D3Panel, TAG_NONE, {104, 279, 9, 13}, 0, Align::Left, {u"MS Sans Serif", 11, true, kColorWindowText}, Keys::None, {}, {}, nullptr},
    {"D3RBetaLabel", Kind::Label, Role::Text, Parent::D3Panel, TAG_NONE, {320, 279, 8, 13}, 0, Align::Left, {u"MS Sans Serif", 11, true, kColorWindowText}, Keys::None, {}, {}, nullptr},
    {"D3RAlphaLabel", Kind::Label, Role::Text, Parent::D3Panel, TAG_NONE, {256, 279, 9, 13}, 0, Align::Left, {u"MS Sans Serif", 11, true, kColorWindowText}, Keys::None, {}, {}, nullptr},
    {"D33DENImage", Kind::Image, Role::ToggleLook, Parent::D3Panel, TAG_NONE, {0, 0, 123, 28}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D33DENImageUp", "D33DENImageDown"}, {&PanelState::d3Enabled, 0}, nullptr},
    {"D33DENLabel", Kind::Label, Role::Caption, Parent::D3Panel, TAG_NONE, {0, 5, 123, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"Label3DEnable"}, {&PanelState::d3Enabled, 0}, nullptr},
    {"D3FBMImage", Kind::Image, Role::Toggle, Parent::D3Panel, TAG_FBM_SWITCH, {121, 0, 123, 28}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3FBMImageUp", "D3FBMImageDown"}, {&PanelState::fbm, 0}, nullptr},
    {"D3FBMLabel", Kind::Label, Role::Caption, Parent::D3Panel, TAG_FBM_SWITCH, {121, 5, 123, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"Label3DFBM"}, {}, nullptr},
    {"D3ResetImage", Kind::Image, Role::PushButton, Parent::D3Panel, TAG_3D_RESET, {242, 0, 123, 28}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3ResetImageUp", "D3ResetImageDown"}, {}, nullptr},
    {"D3ResetLabel", Kind::Label, Role::Caption, Parent::D3Panel, TAG_3D_RESET, {242, 5, 123, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"Label3DReset"}, {}, nullptr},
    {"D3LChannelImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {18, 31, 116, 47}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3LChannelImage"}, {}, nullptr},
    {"D3RChannelImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {232, 31, 116, 47}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3RChannelImage"}, {}, nullptr},
    {"D3ConnectionImage", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {133, 105, 87, 38}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3ConnectionImage"}, {}, nullptr},
    {"D3LChannelLabel", Kind::Label, Role::Text, Parent::D3Panel, TAG_NONE, {55, 47, 64, 15}, 0, Align::Center, {u"MS Sans Serif", 12, true, kColorWhite}, Keys::Language, {"Label3DLeftChannel"}, {}, nullptr},
    {"D3RChannelLabel", Kind::Label, Role::Text, Parent::D3Panel, TAG_NONE, {245, 47, 65, 15}, 0, Align::Center, {u"MS Sans Serif", 12, true, kColorWhite}, Keys::Language, {"Label3DRightChannel"}, {}, nullptr},
    {"D3ConnectLabel", Kind::Label, Role::Text, Parent::D3Panel, TAG_NONE, {143, 117, 65, 13}, kFixedSize, Align::Center, {u"MS Sans Serif", 11, false, kColorWhite}, Keys::Language, {"Label3DConnection"}, {}, nullptr},
    {"D3AlphaImage", Kind::Image, Role::ModeButton, Parent::D3Panel, TAG_3D_ALPHA_LINK, {153, 152, 58, 52}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3AlphaIndepImage", "D3AlphaDepImage", "D3AlphaInvImage"}, {&PanelState::alphaLinkMode, 0}, nullptr, u"Alpha link"},
    {"D3BetaImage", Kind::Image, Role::ModeButton, Parent::D3Panel, TAG_3D_BETA_LINK, {153, 216, 58, 52}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3BetaIndepImage", "D3BetaDepImage", "D3BetaInvImage"}, {&PanelState::betaLinkMode, 0}, nullptr, u"Beta link"},
    {"D3ButtonLineImage1", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {121, 6, 3, 19}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3ButtonLineImage1"}, {}, nullptr},
    {"D3ButtonLineImage2", Kind::Image, Role::Picture, Parent::D3Panel, TAG_NONE, {242, 6, 3, 19}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3ButtonLineImage2"}, {}, nullptr},
    {"D3LAlphaGraduationImage", Kind::Image, Role::Scale, Parent::D3Panel, TAG_NONE, {69, 111, 20, 153}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3LAlphaGraduationImage"}, {}, nullptr},
    {"D3LBetaGraduationImage", Kind::Image, Role::Scale, Parent::D3Panel, TAG_NONE, {8, 111, 20, 153}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3LBetaGraduationImage"}, {}, nullptr},
    {"D3RAlphaGraduationImage", Kind::Image, Role::Scale, Parent::D3Panel, TAG_NONE, {224, 111, 20, 153}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3RAlphaGraduationImage"}, {}, nullptr},
    {"D3RBetaGraduationImage", Kind::Image, Role::Scale, Parent::D3Panel, TAG_NONE, {285, 111, 20, 153}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"D3RBetaGraduationImage"}, {}, nullptr},
    {"EffectPanel", Kind::Panel, Role::None, Parent::PageEffect, TAG_NONE, {0, 0, 365, 292}, 0, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EffectPanel"}, {}, nullptr},
    {"Back_EffectImage", Kind::Image, Role::Picture, Parent::EffectPanel, TAG_NONE, {0, 0, 365, 292}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"Back_EffectImage"}, {}, nullptr},
    {"EffectPicImage", Kind::Image, Role::Picture, Parent::EffectPanel, TAG_NONE, {0, 0, 366, 293}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EffectPicNonImage", "EffectPicTheaterImage", "EffectPicBathroomImage", "EffectPicLivingroomImage", "EffectPicStoneGalleryImage"}, {&PanelState::currentEffect, 1}, nullptr},
    {"EffectButtonNonImage", Kind::Image, Role::Selector, Parent::EffectPanel, TAG_EFFECT_NOTHING, {0, 0, 75, 28}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EffectButtonNonImageUp", "EffectButtonNonImageDown"}, {&PanelState::currentEffect, 1}, nullptr},
    {"EffectButtonTheaterImage", Kind::Image, Role::Selector, Parent::EffectPanel, TAG_EFFECT_THEATER, {73, 0, 75, 28}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EffectButtonTheaterImageUp", "EffectButtonTheaterImageDown"}, {&PanelState::currentEffect, 2}, nullptr},
    {"EffectButtonLivingroomImage", Kind::Image, Role::Selector, Parent::EffectPanel, TAG_EFFECT_LIVINGROOM, {219, 0, 75, 28}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EffectButtonLivingroomImageUp", "EffectButtonLivingroomImageDown"}, {&PanelState::currentEffect, 4}, nullptr},
    {"EffectButtonBathroomImage", Kind::Image, Role::Selector, Parent::EffectPanel, TAG_EFFECT_BATHROOM, {146, 0, 75, 28}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EffectButtonBathroomImageUp", "EffectButtonBathroomImageDown"}, {&PanelState::currentEffect, 3}, nullptr},
    {"EffectButtonStoneGalleryImage", Kind::Image, Role::Selector, Parent::EffectPanel, TAG_EFFECT_STONE_GALLERY, {292, 0, 75, 28}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EffectButtonStoneGalleryImageUp", "EffectButtonStoneGalleryImageDown"}, {&PanelState::currentEffect, 5}, nullptr},
    {"EffectButtonLineImage1", Kind::Image, Role::Picture, Parent::EffectPanel, TAG_NONE, {73, 3, 3, 22}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EffectButtonLineImage1"}, {}, nullptr},
    {"EffectButtonLineImage2", Kind::Image, Role::Picture, Parent::EffectPanel, TAG_NONE, {146, 3, 3, 22}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EffectButtonLineImage2"}, {}, nullptr},
    {"EffectButtonLineImage3", Kind::Image, Role::Picture, Parent::EffectPanel, TAG_NONE, {219, 3, 3, 22}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EffectButtonLineImage3"}, {}, nullptr},
    {"EffectButtonLineImage4", Kind::Image, Role::Picture, Parent::EffectPanel, TAG_NONE, {292, 3, 3, 22}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"EffectButtonLineImage4"}, {}, nullptr},
    {"EffectNonLabel", Kind::Label, Role::Caption, Parent::EffectPanel, TAG_EFFECT_NOTHING, {0, 8, 75, 14}, kFixedSize, Align::Center, {u"MS Sans Serif", 11, true, 0xF4F9A8}, Keys::Language, {"LabelEffectNothing"}, {}, nullptr},
    {"EffectTheaterLabel", Kind::Label, Role::Caption, Parent::EffectPanel, TAG_EFFECT_THEATER, {73, 8, 75, 14}, kFixedSize, Align::Center, {u"MS Sans Serif", 11, true, 0xF4F9A8}, Keys::Language, {"LabelEffectTheater"}, {}, nullptr},
    {"EffectBathroomLabel", Kind::Label, Role::Caption, Parent::EffectPanel, TAG_EFFECT_BATHROOM, {146, 8, 75, 14}, kFixedSize, Align::Center, {u"MS Sans Serif", 11, true, 0xF4F9A8}, Keys::Language, {"LabelEffectBathroom"}, {}, nullptr},
    {"EffectLivingroomLabel", Kind::Label, Role::Caption, Parent::EffectPanel, TAG_EFFECT_LIVINGROOM, {219, 8, 75, 14}, kFixedSize, Align::Center, {u"Sans Serif", 11, true, 0xF4F9A8}, Keys::Language, {"LabelEffectLivingroom"}, {}, nullptr},
    {"EffectStoneGalleryLabel", Kind::Label, Role::Caption, Parent::EffectPanel, TAG_EFFECT_STONE_GALLERY, {292, 8, 75, 14}, kFixedSize, Align::Center, {u"MS Sans Serif", 11, true, 0xF4F9A8}, Keys::Language, {"LabelEffectStoneGallery"}, {}, nullptr},
    {"MicPanel", Kind::Panel, Role::None, Parent::PageMic, TAG_NONE, {0, 0, 365, 292}, 0, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MicPanel"}, {}, nullptr},
    {"Back_MicImage", Kind::Image, Role::Picture, Parent::MicPanel, TAG_NONE, {0, 2, 365, 292}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"Back_MicImage"}, {}, nullptr},
    {"MicBoostImage", Kind::Image, Role::Toggle, Parent::MicPanel, TAG_MIC_BOOST, {0, 0, 184, 27}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MicBoostImageUp", "MicBoostImageDown"}, {&PanelState::micBoost, 0}, nullptr},
    {"MicMuteImage", Kind::Image, Role::Toggle, Parent::MicPanel, TAG_MIC_MUTE, {183, 0, 184, 27}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MicMuteImageUp", "MicMuteImageDown"}, {&PanelState::micMute, 0}, nullptr},
    {"MicPicImage", Kind::Image, Role::Picture, Parent::MicPanel, TAG_NONE, {0, 23, 245, 274}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MicPicImage"}, {}, nullptr},
    {"MicProgressImage", Kind::Image, Role::LevelMeter, Parent::MicPanel, TAG_NONE, {22, 243, 203, 17}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MicProgressImage"}, {}, nullptr, u"Microphone level"},
    {"MicValueImage", Kind::Image, Role::Picture, Parent::MicPanel, TAG_NONE, {294, 72, 30, 23}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MicValueImage"}, {}, nullptr},
    {"MicBarImage", Kind::Image, Role::SliderBar, Parent::MicPanel, TAG_MIC_BAR, {294, 89, 31, 191}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MicBarImage"}, {}, nullptr},
    {"MicGainImage", Kind::Image, Role::Picture, Parent::MicPanel, TAG_NONE, {252, 37, 107, 36}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MicGainImage"}, {}, nullptr},
    {"MicSliderImage", Kind::Image, Role::Slider, Parent::MicPanel, TAG_MIC_SLIDER, {289, 224, 40, 45}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MicSliderImage"}, {}, &kMicSlider},
    {"MicValueLabel", Kind::Label, Role::SliderValue, Parent::MicPanel, TAG_MIC_SLIDER, {302, 77, 15, 14}, kFixedSize, Align::Center, {u"MS Sans Serif", 11, false, kColorWindow}, Keys::Language, {"LabelMicValue"}, {}, nullptr},
    {"MicMuteLabel", Kind::Label, Role::Caption, Parent::MicPanel, TAG_MIC_MUTE, {183, 6, 184, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"LabelMicMute"}, {}, nullptr},
    {"MicBoostLabel", Kind::Label, Role::Caption, Parent::MicPanel, TAG_MIC_BOOST, {0, 6, 184, 16}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"LabelMicBoost"}, {}, nullptr},
    {"MicGraduationImage", Kind::Image, Role::Scale, Parent::MicPanel, TAG_NONE, {269, 93, 30, 182}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MicGraduationImage"}, {}, nullptr},
    {"MicButtonLineImage", Kind::Image, Role::Picture, Parent::MicPanel, TAG_NONE, {183, 2, 3, 22}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"MicButtonLineImage"}, {}, nullptr},
    {"MicGainLabel", Kind::Label, Role::Text, Parent::MicPanel, TAG_NONE, {271, 48, 70, 14}, kFixedSize, Align::Center, {u"MS Sans Serif", 12, false, kColorWhite}, Keys::Language, {"LabelMicGain"}, {}, nullptr},
    {"Virtual7p1Panel", Kind::Panel, Role::None, Parent::PageVirtual, TAG_NONE, {0, 0, 365, 292}, 0, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualPanel"}, {}, nullptr},
    {"Back_Virtual7p1Image", Kind::Image, Role::Picture, Parent::VirtualPanel, TAG_NONE, {0, 2, 365, 292}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"Back_Virtual7p1Image"}, {}, nullptr},
    {"VirtualEnableImage", Kind::Image, Role::Toggle, Parent::VirtualPanel, TAG_VIRTUAL_SWITCH, {0, 0, 93, 28}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualEnableImageUp", "VirtualEnableImageDown"}, {&PanelState::virtualEnabled, 0}, nullptr},
    {"VirtualPicImage", Kind::Image, Role::Picture, Parent::VirtualPanel, TAG_NONE, {0, 25, 371, 271}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualPicImage"}, {}, nullptr},
    {"VirtualCImage", Kind::Image, Role::Speaker, Parent::VirtualPanel, TAG_SPEAKER_C, {168, 56, 25, 26}, kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualCImage"}, {}, nullptr, u"Centre speaker"},
    {"VirtualLBImage", Kind::Image, Role::Speaker, Parent::VirtualPanel, TAG_SPEAKER_LB, {119, 217, 26, 27}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualLBImage"}, {}, nullptr, u"Back left speaker"},
    {"VirtualLImage", Kind::Image, Role::Speaker, Parent::VirtualPanel, TAG_SPEAKER_L, {80, 145, 26, 25}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualLImage"}, {}, nullptr, u"Front left speaker"},
    {"VirtualLSImage", Kind::Image, Role::Speaker, Parent::VirtualPanel, TAG_SPEAKER_LS, {105, 85, 24, 26}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualLSImage"}, {}, nullptr, u"Side left speaker"},
    {"VirtualRBImage", Kind::Image, Role::Speaker, Parent::VirtualPanel, TAG_SPEAKER_RB, {222, 216, 25, 25}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualRBImage"}, {}, nullptr, u"Back right speaker"},
    {"VirtualRImage", Kind::Image, Role::Speaker, Parent::VirtualPanel, TAG_SPEAKER_R, {254, 145, 25, 26}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualRImage"}, {}, nullptr, u"Front right speaker"},
    {"VirtualRSImage", Kind::Image, Role::Speaker, Parent::VirtualPanel, TAG_SPEAKER_RS, {226, 83, 25, 26}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualRSImage"}, {}, nullptr, u"Side right speaker"},
    {"VirtualSUBImage", Kind::Image, Role::Speaker, Parent::VirtualPanel, TAG_SPEAKER_SUB, {168, 88, 24, 25}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualSUBImage"}, {}, nullptr, u"Subwoofer"},
    {"VirtualENLabel", Kind::Label, Role::Caption, Parent::VirtualPanel, TAG_VIRTUAL_SWITCH, {1, 5, 92, 25}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"Label7ch1Enable"}, {}, nullptr},
    {"VirtualClockwiseImage", Kind::Image, Role::Toggle, Parent::VirtualPanel, TAG_ROTATE_CLOCKWISE, {91, 0, 93, 28}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualClockwiseUpImage", "VirtualClockwiseDownImage"}, {&PanelState::rotateClockwise, 0}, nullptr},
    {"VirtualCounterclockwiseImage", Kind::Image, Role::Toggle, Parent::VirtualPanel, TAG_ROTATE_COUNTERCLOCKWISE, {182, 0, 93, 28}, kStretch, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualCounterclockwiseUpImage", "VirtualCounterclockwiseDownImage"}, {&PanelState::rotateCounterClockwise, 0}, nullptr},
    {"VirtualResetImage", Kind::Image, Role::PushButton, Parent::VirtualPanel, TAG_VIRTUAL_RESET, {273, 0, 93, 28}, kStretch | kTransparent, Align::Left, {nullptr, 0, false, 0}, Keys::Skin, {"VirtualResetUpImage", "VirtualResetDownImage"}, {}, nullptr},
    {"VirtualResetLabel", Kind::Label, Role::Caption, Parent::VirtualPanel, TAG_VIRTUAL_RESET, {273, 5, 92, 25}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"Label7ch1Reset"}, {}, nullptr},
    {"VirtualClockwiseLabel", Kind::Label, Role::Caption, Parent::VirtualPanel, TAG_ROTATE_CLOCKWISE, {92, 5, 92, 25}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"LabelVirtualClockwise"}, {}, nullptr},
    {"VirtualCounterclockwiseLabel", Kind::Label, Role::Caption, Parent::VirtualPanel, TAG_ROTATE_COUNTERCLOCKWISE, {180, 5, 92, 25}, kFixedSize, Align::Center, {u"MS Sans Serif", 13, true, 0xF4F9A8}, Keys::Language, {"LabelVirtualCounterclockwise"}, {}, nullptr},
};
// clang-format on

const size_t kCatalogueSize = sizeof kCatalogue / sizeof kCatalogue[0];

SliderRange TravelOf(const SliderTrack& slider, const SkinGeometry& skin) {
    if (!slider.top0) {
        return {slider.fixedTop0, slider.fixedLength};
    }
    return {skin.*slider.top0, skin.*slider.length};
}

double SettingShownAt(const SkinGeometry& skin, int sliderTag, int top) {
    const ChipSetting* setting = SettingShownBy(sliderTag);
    const CatalogueRow* row = ImageRowOf(sliderTag);
    if (!setting || !row || !row->slider) {
        return 0.0;
    }
    return SettingValueAt(*setting, TravelOf(*row->slider, skin), top);
}

double SettingShowing(const PanelContext& ctx, int sliderTag) {
    const ChipSetting* setting = SettingShownBy(sliderTag);
    return setting ? setting->Get(ctx.state) : 0.0;
}

size_t KeyCount(const CatalogueRow& row) {
    size_t n = 0;
    while (n < kMaxRowKeys && row.keys[n]) {
        ++n;
    }
    return n;
}

const char* KeyAt(const CatalogueRow& row, int index) {
    const size_t count = KeyCount(row);
    if (count == 0) {
        return nullptr;
    }
    return index >= 0 && static_cast<size_t>(index) < count ? row.keys[index] : row.keys[0];
}

int32_t StateOf(const CatalogueRow& row, const PanelState& state) {
    return row.state.member ? state.*row.state.member : 0;
}

bool IsOn(const CatalogueRow& row, const PanelState& state) {
    if (!row.state.member) {
        return false;
    }
    const int32_t value = state.*row.state.member;
    return row.role == Role::Selector ? value == row.state.value : value != 0;
}

const char* SkinKeyFor(const CatalogueRow& row, const PanelState& state) {
    if (row.keySource != Keys::Skin) {
        return nullptr;
    }
    switch (row.role) {
        case Role::Toggle:
        case Role::ToggleLook:
        case Role::Selector:
            return KeyAt(row, IsOn(row, state) ? 1 : 0);
        case Role::ModeButton:
        case Role::Picture:
            return KeyAt(row, StateOf(row, state) - row.state.value);
        default:
            return KeyAt(row, 0);
    }
}

namespace {

const CatalogueRow* LastRow(Kind kind, int tag) {
    for (size_t i = kCatalogueSize; i-- > 0;) {
        if (kCatalogue[i].kind == kind && kCatalogue[i].tag == tag) {
            return &kCatalogue[i];
        }
    }
    return nullptr;
}

}  // namespace

const CatalogueRow* ImageRowOf(int tag) {
    return LastRow(Kind::Image, tag);
}

const CatalogueRow* LabelRowOf(int tag) {
    return LastRow(Kind::Label, tag);
}

const char* SectionOf(Parent parent) {
    switch (parent) {
        case Parent::PageEQ:
        case Parent::EQPanel:
            return "EQ";
        case Parent::Page3D:
        case Parent::D3Panel:
            return "3D";
        case Parent::PageEffect:
        case Parent::EffectPanel:
            return "Effect";
        case Parent::PageMic:
        case Parent::MicPanel:
            return "Mic";
        case Parent::PageVirtual:
        case Parent::VirtualPanel:
            return "Virtual7ch1";
        default:
            return "Main";
    }
}
