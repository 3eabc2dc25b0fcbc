#include "SkinLayoutScene.h"

#include "ControlTags.h"

namespace {

struct PanelKey {
    int page;
    SkinBounds SkinLayout::*bounds;
};

constexpr PanelKey kPanels[] = {{PAGE_EQ, &SkinLayout::eqPanel},
                                {PAGE_EFFECT, &SkinLayout::effectPanel},
                                {PAGE_MIC, &SkinLayout::micPanel},
                                {PAGE_VIRTUAL, &SkinLayout::virtualPanel}};

}  // namespace

void TakeSkinGeometry(const Scene& scene, SkinLayout& layout) {
    if (const Control* book = scene.Find("BackNotebook")) {
        const Rect& b = book->bounds;
        layout.backNotebook = {b.left, b.top, b.width, b.height};
    }
    for (const PanelKey& panel : kPanels) {
        const Rect& b = scene.PagePanel(panel.page).bounds;
        (layout.*panel.bounds).width = b.width;
        (layout.*panel.bounds).height = b.height;
    }
}

void PutSkinGeometry(const SkinLayout& layout, Scene& scene) {
    const SkinBounds& book = layout.backNotebook;
    scene.SetNotebookBounds({book.left, book.top, book.width, book.height});
    for (const PanelKey& panel : kPanels) {
        const SkinBounds& size = layout.*panel.bounds;
        scene.SetPanelSize(panel.page, {size.width, size.height});
    }
}
