#include "WholeRepaint.h"

#include <string>

#include "ControlTags.h"
#include "LabelText.h"
#include "Paint.h"

namespace {

void Paint(PanelWindow& w, const char* image, const std::string& key) {
    Appearance& look = w.Look();
    if (Control* c = w.GetScene().Find(image)) {
        ApplyImageEntry(look.Image(key), *c, u"", look, w.Ports().pictures);
    }
}

void PaintAll(PanelWindow& w, const char* const* names, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        Paint(w, names[i], names[i]);
    }
}

template <size_t N>
void PaintAll(PanelWindow& w, const char* const (&names)[N]) {
    PaintAll(w, names, N);
}

void PaintSwitch(PanelWindow& w, const char* image, const char* up, const char* down, bool on) {
    Paint(w, image, on ? down : up);
}

// The link buttons show the mode in force; before the first press they work independently.
const char* LinkKey(bool alpha, int32_t mode) {
    static const char* const alphaKeys[] = {"D3AlphaIndepImage", "D3AlphaDepImage",
                                            "D3AlphaInvImage"};
    static const char* const betaKeys[] = {"D3BetaIndepImage", "D3BetaDepImage", "D3BetaInvImage"};
    const int m = mode >= 0 && mode <= 2 ? mode : 0;
    return alpha ? alphaKeys[m] : betaKeys[m];
}

void PaintMain(PanelWindow& w, const PanelState& s) {
    Paint(w, "MainFormImage", "MainFormImage");
    Paint(w, "CloseImage", "CloseImageUp");
    Paint(w, "MinimizeImage", "MinimizeImageUp");
    Paint(w, "Menu1Image", "Menu1ImageUp");
    Paint(w, "Menu2Image", "Menu2ImageUp");
    Paint(w, "Menu3Image", "Menu3ImageUp");
    Paint(w, "DeviceActiveImage", "DeviceActiveImage");
    PaintSwitch(w, "LEDImage", "LedImageUp", "LedImageDown", s.led != 0);
    Paint(w, "LogoImage", "LogoImage");
}

void PaintEq(PanelWindow& w, const PanelState& s) {
    Paint(w, "Back_EQImage", "Back_EQImage");
    PaintSwitch(w, "EQEQENImage", "EQEQENImageUp", "EQEQENImageDown", s.eqEnabled != 0);
    PaintSwitch(w, "EQ3DENImage", "EQ3DENImageUp", "EQ3DENImageDown", s.d3Enabled != 0);
    Paint(w, "EQResetImage", "EQResetImageUp");
    for (int n = 1; n <= kEqPresetCount; ++n) {
        const std::string name = "EQS" + std::to_string(n) + "Image";
        Paint(w, name.c_str(), name + (n == s.currentPreset ? "Down" : "Up"));
    }
    static const char* const rest[] = {
        "EQButtonLineImage1", "EQButtonLineImage2",  "EQButtonLineImage3",  "EQButtonLineImage4",
        "EQButtonLineImage5", "EQGraduationImage",   "EQ60HzBarImage",      "EQ300HzBarImage",
        "EQ1200HzBarImage",   "EQ3600HzBarImage",    "EQ12000HzBarImage",   "EQ60HzSliderImage",
        "EQ300HzSliderImage", "EQ1200HzSliderImage", "EQ3600HzSliderImage", "EQ12000HzSliderImage"};
    PaintAll(w, rest);
}

void Paint3D(PanelWindow& w, const PanelState& s) {
    Paint(w, "Back_3DImage", "Back_3DImage");
    PaintSwitch(w, "D33DENImage", "D33DENImageUp", "D33DENImageDown", s.d3Enabled != 0);
    PaintSwitch(w, "D3FBMImage", "D3FBMImageUp", "D3FBMImageDown", s.fbm != 0);
    Paint(w, "D3ResetImage", "D3ResetImageUp");
    static const char* const pictures[] = {"D3LChannelImage", "D3RChannelImage",
                                           "D3ConnectionImage"};
    PaintAll(w, pictures);
    Paint(w, "D3AlphaImage", LinkKey(true, s.alphaLinkMode));
    Paint(w, "D3BetaImage", LinkKey(false, s.betaLinkMode));
    static const char* const rest[] = {
        "D3ButtonLineImage1",     "D3ButtonLineImage2",      "D3LAlphaGraduationImage",
        "D3LBetaGraduationImage", "D3RAlphaGraduationImage", "D3RBetaGraduationImage",
        "D3LAlphaBarImage",       "D3LBetaBarImage",         "D3RAlphaBarImage",
        "D3RBetaBarImage",        "D3LAlphaSliderImage",     "D3LBetaSliderImage",
        "D3RAlphaSliderImage",    "D3RBetaSliderImage"};
    PaintAll(w, rest);
}

void PaintEffect(PanelWindow& w, const PanelState& s) {
    static const char* const buttons[] = {
        "EffectButtonNonImage", "EffectButtonTheaterImage", "EffectButtonBathroomImage",
        "EffectButtonLivingroomImage", "EffectButtonStoneGalleryImage"};
    static const char* const pictures[] = {"EffectPicNonImage", "EffectPicTheaterImage",
                                           "EffectPicBathroomImage", "EffectPicLivingroomImage",
                                           "EffectPicStoneGalleryImage"};
    Paint(w, "Back_EffectImage", "Back_EffectImage");
    for (int e = 1; e <= 5; ++e) {
        const std::string name = buttons[e - 1];
        Paint(w, name.c_str(), name + (e == s.currentEffect ? "Down" : "Up"));
    }
    static const char* const lines[] = {"EffectButtonLineImage1", "EffectButtonLineImage2",
                                        "EffectButtonLineImage3", "EffectButtonLineImage4"};
    PaintAll(w, lines);
    const int effect = s.currentEffect >= 1 && s.currentEffect <= 5 ? s.currentEffect : 1;
    Paint(w, "EffectPicImage", pictures[effect - 1]);
}

void PaintMic(PanelWindow& w, const PanelState& s) {
    Paint(w, "Back_MicImage", "Back_MicImage");
    PaintSwitch(w, "MicBoostImage", "MicBoostImageUp", "MicBoostImageDown", s.micBoost != 0);
    PaintSwitch(w, "MicMuteImage", "MicMuteImageUp", "MicMuteImageDown", s.micMute != 0);
    static const char* const pictures[] = {"MicButtonLineImage", "MicPicImage"};
    PaintAll(w, pictures);
    // The level bar starts empty.
    SkinImageEntry progress = w.Look().Image("MicProgressImage");
    progress.Width = 0;
    progress.HasWidth = true;
    if (Control* bar = w.GetScene().Find("MicProgressImage")) {
        ApplyImageEntry(progress, *bar, u"", w.Look(), w.Ports().pictures);
    }
    static const char* const rest[] = {"MicGainImage", "MicGraduationImage", "MicBarImage",
                                       "MicSliderImage", "MicValueImage"};
    PaintAll(w, rest);
}

void PaintVirtual(PanelWindow& w, const PanelState& s) {
    Paint(w, "Back_Virtual7p1Image", "Back_Virtual7p1Image");
    PaintSwitch(w, "VirtualEnableImage", "VirtualEnableImageUp", "VirtualEnableImageDown",
                s.virtualEnabled != 0);
    PaintSwitch(w, "VirtualClockwiseImage", "VirtualClockwiseUpImage", "VirtualClockwiseDownImage",
                s.rotateClockwise != 0);
    PaintSwitch(w, "VirtualCounterclockwiseImage", "VirtualCounterclockwiseUpImage",
                "VirtualCounterclockwiseDownImage", s.rotateCounterClockwise != 0);
    Paint(w, "VirtualResetImage", "VirtualResetUpImage");
    static const char* const rest[] = {"VirtualPicImage", "VirtualCImage",  "VirtualLImage",
                                       "VirtualLSImage",  "VirtualLBImage", "VirtualRBImage",
                                       "VirtualRSImage",  "VirtualRImage",  "VirtualSUBImage"};
    PaintAll(w, rest);
}

// A label and its style, painted pressed when the state says so.
void Style(PanelWindow& w, const char* label, const char* style, bool pressed) {
    if (Control* c = w.GetScene().Find(label)) {
        ApplyLabelStyle(w.Look().Label(style), *c, !pressed, w.Look(), w.Ports().text);
    }
}

void Caption(PanelWindow& w, const char* label, const std::u16string& text) {
    if (Control* c = w.GetScene().Find(label)) {
        SetCaption(*c, text, w.Ports().text);
    }
}

void LayoutTabs(Scene& scene) {
    Control* eq = scene.Find("PageEQLabel");
    Control* bevel2 = scene.Find("Bevel2");
    Control* effect = scene.Find("PageEffectLabel");
    Control* bevel3 = scene.Find("Bevel3");
    Control* mic = scene.Find("PageMicLabel");
    Control* bevel4 = scene.Find("Bevel4");
    Control* virt = scene.Find("PageVirtual7p1Label");
    if (!eq || !bevel2 || !effect || !bevel3 || !mic || !bevel4 || !virt) {
        return;
    }
    bevel2->bounds.left = eq->bounds.left + eq->bounds.width;
    bevel2->bounds.top = eq->bounds.top;
    effect->bounds.left = bevel2->bounds.left + bevel2->bounds.width + 5;
    bevel3->bounds.left = effect->bounds.left + effect->bounds.width;
    bevel3->bounds.top = bevel2->bounds.top;
    mic->bounds.left = bevel3->bounds.left + bevel3->bounds.width + 5;
    bevel4->bounds.left = mic->bounds.left + mic->bounds.width;
    bevel4->bounds.top = bevel2->bounds.top;
    virt->bounds.left = bevel4->bounds.left + bevel4->bounds.width + 5;
}

}  // namespace

void ApplySkin(PanelWindow& window) {
    const PanelState& s = window.Context().state;
    PaintMain(window, s);
    PaintEq(window, s);
    Paint3D(window, s);
    PaintEffect(window, s);
    PaintMic(window, s);
    PaintVirtual(window, s);
}

void RepaintLabels(PanelWindow& w) {
    const PanelContext& ctx = w.Context();
    const PanelState& s = ctx.state;
    const int page = w.GetScene().Page();

    Style(w, "Menu1Label", "LabelMenu1", false);
    Style(w, "Menu2Label", "LabelMenu2", false);
    Style(w, "Menu3Label", "LabelMenu3", false);
    Style(w, "PageEQLabel", "LabelPageEQ", page == PAGE_EQ);
    Style(w, "Page3DLabel", "LabelPage3D", page == PAGE_3D);
    Style(w, "PageEffectLabel", "LabelPageEffect", page == PAGE_EFFECT);
    Style(w, "PageMicLabel", "LabelPageMic", page == PAGE_MIC);
    Style(w, "PageVirtual7p1Label", "LabelPageVirtual7ch1", page == PAGE_VIRTUAL);
    Style(w, "DeviceActiveLabel", ctx.device.devicePresent ? "LabelActive" : "LabelUnactive",
          false);
    Style(w, "SXLabel", "LabelSX", false);
    if (s.currentPreset >= 1 && s.currentPreset <= kEqPresetCount) {
        const std::string preset = "LabelEQS" + std::to_string(s.currentPreset);
        Caption(w, "SXLabel", w.Look().Label(preset).Text);
    }
    Style(w, "SyncLabel", "LabelSync", false);
    Style(w, "SettingLabel", "LabelSetting", false);
    Style(w, "FeaturesLabel", "LabelFeatures", false);
    Style(w, "CompanyNameLabel", "LabelCompanyName", false);

    Style(w, "EQEQENLabel", "LabelEQEnable", s.eqEnabled != 0);
    Style(w, "EQ3DENLabel", "LableEQ3DEnable", s.d3Enabled != 0);
    Style(w, "EQResetLabel", "LabelEQReset", false);
    for (int n = 1; n <= kEqPresetCount; ++n) {
        const std::string label = "EQS" + std::to_string(n) + "Label";
        const std::string style = "LabelEQS" + std::to_string(n);
        Style(w, label.c_str(), style.c_str(), n == s.currentPreset);
    }
    static const char* const bands[][2] = {{"EQ60HzLabel", "LabelEQ60Hz"},
                                           {"EQ300HzLabel", "LabelEQ300Hz"},
                                           {"EQ1200HzLabel", "LabelEQ1200Hz"},
                                           {"EQ3600HzLabel", "LabelEQ3600Hz"},
                                           {"EQ12000HzLabel", "LabelEQ12000Hz"}};
    for (const auto& band : bands) {
        Style(w, band[0], band[1], false);
    }

    Style(w, "D33DENLabel", "Label3DEnable", s.d3Enabled != 0);
    Style(w, "D3FBMLabel", "Label3DFBM", s.fbm != 0);
    Style(w, "D3ResetLabel", "Label3DReset", false);
    Style(w, "D3LChannelLabel", "Label3DLeftChannel", false);
    Style(w, "D3RChannelLabel", "Label3DRightChannel", false);
    Style(w, "D3ConnectLabel", "Label3DConnection", false);

    static const char* const effects[][2] = {
        {"EffectNonLabel", "LabelEffectNothing"},
        {"EffectTheaterLabel", "LabelEffectTheater"},
        {"EffectBathroomLabel", "LabelEffectBathroom"},
        {"EffectLivingroomLabel", "LabelEffectLivingroom"},
        {"EffectStoneGalleryLabel", "LabelEffectStoneGallery"}};
    for (int e = 1; e <= 5; ++e) {
        Style(w, effects[e - 1][0], effects[e - 1][1], e == s.currentEffect);
    }

    Style(w, "MicBoostLabel", "LabelMicBoost", s.micBoost != 0);
    Style(w, "MicMuteLabel", "LabelMicMute", s.micMute != 0);
    Style(w, "MicGainLabel", "LabelMicGain", false);
    Style(w, "MicValueLabel", "LabelMicValue", false);
    Caption(w, "MicValueLabel", DecimalText(s.micLevel));

    Style(w, "VirtualENLabel", "Label7ch1Enable", s.virtualEnabled != 0);
    Style(w, "VirtualClockwiseLabel", "LabelVirtualClockwise", s.rotateClockwise != 0);
    Style(w, "VirtualCounterclockwiseLabel", "LabelVirtualCounterclockwise",
          s.rotateCounterClockwise != 0);
    Style(w, "VirtualResetLabel", "Label7ch1Reset", false);

    LayoutTabs(w.GetScene());
}
