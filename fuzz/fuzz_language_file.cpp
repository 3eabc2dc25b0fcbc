// Any bytes as a Language.ini: read as the panel reads it, laid over by a skin's [MainLable]
// from the same bytes, and painted on the main window at three screen densities.
#include <cstddef>
#include <cstdint>

#include "FuzzPanel.h"
#include "IntoAppearance.h"
#include "LanguageStyles.h"
#include "PanelError.h"
#include "WholeRepaint.h"
#include "ports/ProfileStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Panel panel;
    IProfileStrings& strings = PlatformProfileStrings();
    const std::u16string& path = fuzz::Scratch().Write(data, size);
    LanguageStyles language;
    try {
        LoadLanguage(strings, path, language);
        LoadSkinLabelOverrides(strings, path, language);
    } catch (const PanelError&) {
        return 0;
    }
    for (const int density : {kDensityUnit, 8000, 6664, 5000}) {
        panel.look.density = density;
        PutLanguageStyles(language, panel.look);
        RepaintLabels(panel.window);
        for (int page = 0; page < 5; ++page) {
            panel.window.ShowPage(page);
        }
    }
    return 0;
}
