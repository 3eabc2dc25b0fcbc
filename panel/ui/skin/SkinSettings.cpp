#include "SkinSettings.h"

#include <vector>

#include "PanelError.h"
#include "ProfileFile.h"
#include "SkinFields.h"

namespace {

enum class Geometry {
    None,
    BackNotebook,
    EqPanel,
    EqSlider,
    EffectPanel,
    MicPanel,
    MicSlider,
    MicProgressLength,
    VirtualPanel,
    VirtualCenter,
};

struct SkinKey {
    const char16_t* section;
    const char16_t* key;
    Geometry geometry;
};

constexpr Geometry I = Geometry::None;

// Reading order.
const SkinKey kKeys[] = {
    {u"Main", u"MainFormImage", I},
    {u"Main", u"CloseImageUp", I},
    {u"Main", u"CloseImageDown", I},
    {u"Main", u"MinimizeImageUp", I},
    {u"Main", u"MinimizeImageDown", I},
    {u"Main", u"DeviceActiveImage", I},
    {u"Main", u"Menu1ImageUp", I},
    {u"Main", u"Menu1ImageDown", I},
    {u"Main", u"Menu2ImageUp", I},
    {u"Main", u"Menu2ImageDown", I},
    {u"Main", u"Menu3ImageUp", I},
    {u"Main", u"Menu3ImageDown", I},
    {u"Main", u"LogoImage", I},
    {u"Main", u"LedImageUp", I},
    {u"Main", u"LedImageDown", I},
    {u"Main", u"BackNotebook", Geometry::BackNotebook},
    {u"EQ", u"Back_EQImage", I},
    {u"EQ", u"EQEQENImageUp", I},
    {u"EQ", u"EQEQENImageDown", I},
    {u"EQ", u"EQ3DENImageUp", I},
    {u"EQ", u"EQ3DENImageDown", I},
    {u"EQ", u"EQResetImageUp", I},
    {u"EQ", u"EQResetImageDown", I},
    {u"EQ", u"EQS1ImageUp", I},
    {u"EQ", u"EQS1ImageDown", I},
    {u"EQ", u"EQS2ImageUp", I},
    {u"EQ", u"EQS2ImageDown", I},
    {u"EQ", u"EQS3ImageUp", I},
    {u"EQ", u"EQS3ImageDown", I},
    {u"EQ", u"EQS4ImageUp", I},
    {u"EQ", u"EQS4ImageDown", I},
    {u"EQ", u"EQButtonLineImage1", I},
    {u"EQ", u"EQButtonLineImage2", I},
    {u"EQ", u"EQButtonLineImage3", I},
    {u"EQ", u"EQButtonLineImage4", I},
    {u"EQ", u"EQButtonLineImage5", I},
    {u"EQ", u"EQGraduationImage", I},
    {u"EQ", u"EQ60HzBarImage", I},
    {u"EQ", u"EQ300HzBarImage", I},
    {u"EQ", u"EQ1200HzBarImage", I},
    {u"EQ", u"EQ3600HzBarImage", I},
    {u"EQ", u"EQ12000HzBarImage", I},
    {u"EQ", u"EQ60HzSliderImage", I},
    {u"EQ", u"EQ300HzSliderImage", I},
    {u"EQ", u"EQ1200HzSliderImage", I},
    {u"EQ", u"EQ3600HzSliderImage", I},
    {u"EQ", u"EQ12000HzSliderImage", I},
    {u"EQ", u"EQPanel", Geometry::EqPanel},
    {u"EQ", u"EQSlider", Geometry::EqSlider},
    {u"3D", u"Back_3DImage", I},
    {u"3D", u"D33DENImageUp", I},
    {u"3D", u"D33DENImageDown", I},
    {u"3D", u"D3FBMImageUp", I},
    {u"3D", u"D3FBMImageDown", I},
    {u"3D", u"D3ResetImageUp", I},
    {u"3D", u"D3ResetImageDown", I},
    {u"3D", u"D3LChannelImage", I},
    {u"3D", u"D3RChannelImage", I},
    {u"3D", u"D3ConnectionImage", I},
    {u"3D", u"D3AlphaIndepImage", I},
    {u"3D", u"D3AlphaDepImage", I},
    {u"3D", u"D3AlphaInvImage", I},
    {u"3D", u"D3BetaIndepImage", I},
    {u"3D", u"D3BetaDepImage", I},
    {u"3D", u"D3BetaInvImage", I},
    {u"3D", u"D3ButtonLineImage1", I},
    {u"3D", u"D3ButtonLineImage2", I},
    {u"3D", u"D3LAlphaGraduationImage", I},
    {u"3D", u"D3LBetaGraduationImage", I},
    {u"3D", u"D3RAlphaGraduationImage", I},
    {u"3D", u"D3RBetaGraduationImage", I},
    {u"3D", u"D3LAlphaBarImage", I},
    {u"3D", u"D3LBetaBarImage", I},
    {u"3D", u"D3RAlphaBarImage", I},
    {u"3D", u"D3RBetaBarImage", I},
    {u"3D", u"D3LAlphaSliderImage", I},
    {u"3D", u"D3LBetaSliderImage", I},
    {u"3D", u"D3RAlphaSliderImage", I},
    {u"3D", u"D3RBetaSliderImage", I},
    {u"Effect", u"Back_EffectImage", I},
    {u"Effect", u"EffectButtonNonImageUp", I},
    {u"Effect", u"EffectButtonNonImageDown", I},
    {u"Effect", u"EffectButtonTheaterImageUp", I},
    {u"Effect", u"EffectButtonTheaterImageDown", I},
    {u"Effect", u"EffectButtonBathroomImageUp", I},
    {u"Effect", u"EffectButtonBathroomImageDown", I},
    {u"Effect", u"EffectButtonLivingroomImageUp", I},
    {u"Effect", u"EffectButtonLivingroomImageDown", I},
    {u"Effect", u"EffectButtonStoneGalleryImageUp", I},
    {u"Effect", u"EffectButtonStoneGalleryImageDown", I},
    {u"Effect", u"EffectButtonLineImage1", I},
    {u"Effect", u"EffectButtonLineImage2", I},
    {u"Effect", u"EffectButtonLineImage3", I},
    {u"Effect", u"EffectButtonLineImage4", I},
    {u"Effect", u"EffectPicNonImage", I},
    {u"Effect", u"EffectPicTheaterImage", I},
    {u"Effect", u"EffectPicBathroomImage", I},
    {u"Effect", u"EffectPicLivingroomImage", I},
    {u"Effect", u"EffectPicStoneGalleryImage", I},
    {u"Effect", u"EffectPanel", Geometry::EffectPanel},
    {u"Mic", u"Back_MicImage", I},
    {u"Mic", u"MicBoostImageUp", I},
    {u"Mic", u"MicBoostImageDown", I},
    {u"Mic", u"MicMuteImageUp", I},
    {u"Mic", u"MicMuteImageDown", I},
    {u"Mic", u"MicButtonLineImage", I},
    {u"Mic", u"MicPicImage", I},
    {u"Mic", u"MicProgressImage", I},
    {u"Mic", u"MicGainImage", I},
    {u"Mic", u"MicGraduationImage", I},
    {u"Mic", u"MicBarImage", I},
    {u"Mic", u"MicSliderImage", I},
    {u"Mic", u"MicValueImage", I},
    {u"Mic", u"MicPanel", Geometry::MicPanel},
    {u"Mic", u"MicSlider", Geometry::MicSlider},
    {u"Mic", u"MicProgressLength", Geometry::MicProgressLength},
    {u"Virtual7ch1", u"Back_Virtual7p1Image", I},
    {u"Virtual7ch1", u"VirtualEnableImageUp", I},
    {u"Virtual7ch1", u"VirtualEnableImageDown", I},
    {u"Virtual7ch1", u"VirtualClockwiseUpImage", I},
    {u"Virtual7ch1", u"VirtualClockwiseDownImage", I},
    {u"Virtual7ch1", u"VirtualCounterclockwiseUpImage", I},
    {u"Virtual7ch1", u"VirtualCounterclockwiseDownImage", I},
    {u"Virtual7ch1", u"VirtualResetUpImage", I},
    {u"Virtual7ch1", u"VirtualResetDownImage", I},
    {u"Virtual7ch1", u"VirtualPicImage", I},
    {u"Virtual7ch1", u"VirtualCImage", I},
    {u"Virtual7ch1", u"VirtualLImage", I},
    {u"Virtual7ch1", u"VirtualLSImage", I},
    {u"Virtual7ch1", u"VirtualLBImage", I},
    {u"Virtual7ch1", u"VirtualRBImage", I},
    {u"Virtual7ch1", u"VirtualRSImage", I},
    {u"Virtual7ch1", u"VirtualRImage", I},
    {u"Virtual7ch1", u"VirtualSUBImage", I},
    {u"Virtual7ch1", u"VirtualPanel", Geometry::VirtualPanel},
    {u"Virtual7ch1", u"VirtualCenter", Geometry::VirtualCenter},
    {u"About", u"LogoImage", I},
};

// The geometry fields as integers; every one of the first count is required.
std::vector<int32_t> Required(const std::u16string& value, size_t count) {
    const std::vector<std::u16string> fields = SplitFields(value);
    std::vector<int32_t> numbers;
    for (size_t i = 0; i < count; ++i) {
        numbers.push_back(FieldPixels(FieldAt(fields, i)));
    }
    return numbers;
}

void ApplyGeometry(Geometry g, const std::u16string& value, SkinLayout& layout,
                   SkinGeometry& geometry) {
    switch (g) {
        case Geometry::None:
            break;
        case Geometry::BackNotebook: {
            const auto n = Required(value, 4);
            layout.backNotebook = {n[0], n[1], n[2], n[3]};
            break;
        }
        case Geometry::EqPanel:
        case Geometry::EffectPanel:
        case Geometry::MicPanel:
        case Geometry::VirtualPanel: {
            const auto n = Required(value, 2);
            SkinBounds& panel = g == Geometry::EqPanel       ? layout.eqPanel
                                : g == Geometry::EffectPanel ? layout.effectPanel
                                : g == Geometry::MicPanel    ? layout.micPanel
                                                             : layout.virtualPanel;
            panel.width = n[0];
            panel.height = n[1];
            break;
        }
        case Geometry::EqSlider:
        case Geometry::MicSlider: {
            const auto n = Required(value, 2);
            (g == Geometry::EqSlider ? geometry.eqTop0 : geometry.micTop0) = n[0];
            geometry.sliderTravel = n[1];  // one travel for every slider: the last one read
            break;
        }
        case Geometry::MicProgressLength:
            geometry.micProgressLength = Required(value, 1)[0];
            break;
        case Geometry::VirtualCenter: {
            const auto n = Required(value, 3);
            layout.previousRadius = geometry.radius;
            geometry.centerX = n[0];
            geometry.centerY = n[1];
            geometry.radius = n[2];
            break;
        }
    }
}

}  // namespace

SkinKeyName SkinImageKeyAt(int index) {
    for (const SkinKey& k : kKeys) {
        if (k.geometry == Geometry::None && index-- == 0) {
            return {k.section, k.key};
        }
    }
    return {u"", u""};
}

int SkinImageIndex(const std::u16string& section, const std::u16string& key) {
    int index = 0;
    for (const SkinKey& k : kKeys) {
        if (k.geometry != Geometry::None) {
            continue;
        }
        if (section == k.section && key == k.key) {
            return index;
        }
        ++index;
    }
    return -1;
}

const SkinImageEntry& SkinImage(const SkinLayout& layout, const std::u16string& section,
                                const std::u16string& key) {
    static const SkinImageEntry kEmpty;
    const int index = SkinImageIndex(section, key);
    return index < 0 ? kEmpty : layout.images[static_cast<size_t>(index)];
}

SkinImageEntry ParseImageValue(const std::u16string& value) {
    const std::vector<std::u16string> fields = SplitFields(value);
    SkinImageEntry entry;
    entry.FileName = FieldAt(fields, 0);
    const struct {
        int32_t& value;
        bool& present;
    } bounds[] = {{entry.Left, entry.HasLeft},
                  {entry.Top, entry.HasTop},
                  {entry.Width, entry.HasWidth},
                  {entry.Height, entry.HasHeight}};
    bool anyBound = false;
    for (size_t i = 0; i < 4; ++i) {
        const std::u16string field = FieldAt(fields, i + 1);
        if (!field.empty()) {
            bounds[i].value = FieldPixels(field);
            bounds[i].present = true;
        }
        anyBound = anyBound || i + 1 < fields.size();
    }
    if (entry.FileName.empty() && anyBound) {
        throw PanelError(u"Cannot load a picture without a file name");
    }
    return entry;
}

void LoadSkinSettings(IProfileStrings& strings, const std::u16string& iniPath, SkinLayout& layout,
                      SkinGeometry& geometry) {
    layout.images.fill(SkinImageEntry{});
    size_t image = 0;
    for (const SkinKey& k : kKeys) {
        const std::u16string value = ReadProfileValue(strings, iniPath, k.section, k.key);
        try {
            if (k.geometry == Geometry::None) {
                if (!value.empty()) {
                    layout.images[image] = ParseImageValue(value);
                }
                ++image;
            } else {
                ApplyGeometry(k.geometry, value, layout, geometry);
            }
        } catch (const PanelError& e) {
            throw PanelError(e.text() + u" ([" + k.section + u"] " + k.key + u" in " + iniPath +
                             u")");
        }
    }
}
