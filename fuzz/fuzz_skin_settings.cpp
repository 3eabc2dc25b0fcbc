// Any bytes as a skin's SkinSetting.ini: its image, label and geometry fields applied as a skin
// choice applies them, then every control pressed and dragged. Nothing overflows, and what
// reaches the headset stays within its ranges.
#include <cstddef>
#include <cstdint>

#include "FuzzPointer.h"
#include "IntoAppearance.h"
#include "LanguageStyles.h"
#include "MicOperations.h"
#include "PanelError.h"
#include "ScreenScale.h"
#include "SkinLayoutScene.h"
#include "SkinSettings.h"
#include "SkinSpeakers.h"
#include "WholeRepaint.h"
#include "ports/ProfileStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Panel panel;
    PanelWindow& window = panel.window;
    PanelContext& ctx = window.Context();
    IProfileStrings& strings = PlatformProfileStrings();
    const std::u16string& path = fuzz::Scratch().Write(data, size);

    SkinLayout layout;
    TakeSkinGeometry(window.GetScene(), layout);
    LanguageStyles language;
    try {
        LoadSkinSettings(strings, path, layout, panel.skin);
        PutSkinGeometry(layout, window.GetScene());
        PutSkinImages(layout, panel.look);
        panel.look.skinFolder = u"C:\\Skin\\Fuzz\\";
        ApplySkin(window);
        LoadSkinLabelOverrides(strings, path, language);
    } catch (const PanelError&) {
        // A skin that does not load is refused as a whole; the earlier one would come back.
        return 0;
    }
    PutLanguageStyles(language, panel.look);
    RepaintLabels(window);
    PlaceEqSliders(ctx, ctx.state.currentPreset - 1);
    PlaceMicSlider(ctx);
    PlaceSpeakersForSkin(ctx, layout.previousRadius);
    Place3DSliders(ctx);

    for (const int dpi : {96, 144, 192}) {
        const ScreenScale scale(dpi);
        for (const Control& control : window.GetScene().Controls()) {
            scale.ToScreen(control.bounds);
        }
    }
    fuzz::DragEverything(panel);
    panel.CheckRanges();
    return 0;
}
