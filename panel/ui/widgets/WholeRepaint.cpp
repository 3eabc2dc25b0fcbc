#include "WholeRepaint.h"

#include <string>

#include "ControlTags.h"
#include "LabelText.h"
#include "Paint.h"

namespace {

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
    Appearance& look = window.Look();
    for (Control& c : window.GetScene().Controls()) {
        const CatalogueRow& row = *c.row;
        if (c.kind != Kind::Image || row.keySource != Keys::Skin) {
            continue;
        }
        SkinImageEntry entry = look.Image(SkinKeyFor(row, s));
        if (row.role == Role::LevelMeter) {
            // The level bar starts empty.
            entry.Width = 0;
            entry.HasWidth = true;
        }
        ApplyImageEntry(entry, c, u"", look, window.Ports().pictures);
    }
}

void RepaintLabels(PanelWindow& w) {
    const PanelContext& ctx = w.Context();
    const PanelState& s = ctx.state;
    const int page = w.GetScene().Page();

    for (Control& c : w.GetScene().Controls()) {
        const CatalogueRow& row = *c.row;
        if (c.kind != Kind::Label || row.keySource != Keys::Language) {
            continue;
        }
        // A text's second key is its look while the headset is away.
        const char* style = KeyAt(row, ctx.device.devicePresent ? 0 : 1);
        bool pressed = false;
        if (row.role == Role::PageTab) {
            pressed = row.tag - TAG_PAGE_EQ == page;
        } else if (row.role == Role::Caption) {
            // A caption shows its button's state, or its own where it has no tag.
            const CatalogueRow* button = row.state.member      ? &row
                                         : row.tag != TAG_NONE ? ImageRowOf(row.tag)
                                                               : nullptr;
            pressed = button && IsOn(*button, s);
        }
        ApplyLabelStyle(w.Look().Label(style), c, !pressed, w.Look(), w.Ports().text);
    }
    // SX names the current preset with its caption's text.
    for (size_t i = 0; i < kCatalogueSize; ++i) {
        const CatalogueRow& row = kCatalogue[i];
        if (row.role == Role::Selector && row.state.member == &PanelState::currentPreset &&
            IsOn(row, s)) {
            if (const CatalogueRow* caption = LabelRowOf(row.tag)) {
                Caption(w, "SXLabel", w.Look().Label(KeyAt(*caption, 0)).Text);
            }
        }
    }
    Caption(w, "MicValueLabel", DecimalText(s.micLevel));

    LayoutTabs(w.GetScene());
}
