#include "Scene.h"

#include "ControlTags.h"

namespace {

bool Has(uint32_t look, LookFlag flag) {
    return (look & flag) != 0;
}

Parent PanelParentOfPage(int page) {
    static const Parent panels[kPageCount] = {Parent::EQPanel, Parent::D3Panel, Parent::EffectPanel,
                                              Parent::MicPanel, Parent::VirtualPanel};
    return panels[page];
}

Handler HandlerOf(const CatalogueRow& row) {
    switch (row.role) {
        case Role::Form:
            return Handler::Form;
        case Role::PushButton:
        case Role::Toggle:
        case Role::Selector:
        case Role::ModeButton:
        case Role::Indicator:
            return Handler::Image;
        case Role::Caption:
            // A caption without a tag has no button to forward to.
            return row.tag != TAG_NONE ? Handler::Label : Handler::None;
        case Role::PageTab:
            return Handler::PageTab;
        default:
            return Handler::None;
    }
}

Control FromRow(const CatalogueRow& row) {
    Control c;
    c.name = row.name;
    c.kind = row.kind;
    c.role = row.role;
    c.row = &row;
    c.parent = row.parent;
    c.tag = row.tag;
    c.bounds = row.bounds;
    c.visible = !Has(row.look, kHidden);
    c.enabled = !Has(row.look, kDisabled);
    c.stretch = Has(row.look, kStretch);
    c.transparent = Has(row.look, kTransparent);
    c.autoSize = Has(row.look, kAutoSize);
    c.fixedSize = Has(row.look, kFixedSize);
    c.rightEdge = Has(row.look, kRightEdge);
    c.align = row.align;
    c.handler = HandlerOf(row);
    c.font.face = row.font.face ? row.font.face : kWindowFontFace;
    c.font.heightPx = row.font.face ? row.font.heightPx : kWindowFontPx;
    c.font.bold = row.font.bold;
    c.colour = row.font.colour;
    return c;
}

// Captions of the labels that no language key replaces.
std::u16string DesignCaption(std::string_view name) {
    if (name == "D3LBetaLabel" || name == "D3RBetaLabel") {
        return u"\u03B2";
    }
    if (name == "D3LAlphaLabel" || name == "D3RAlphaLabel") {
        return u"\u03B1";
    }
    if (name.size() > 10 && name.substr(name.size() - 10) == "ValueLabel") {
        return u"0";
    }
    return std::u16string(name.begin(), name.end());
}

}  // namespace

int PageOf(Parent parent) {
    switch (parent) {
        case Parent::PageEQ:
        case Parent::EQPanel:
            return PAGE_EQ;
        case Parent::Page3D:
        case Parent::D3Panel:
            return PAGE_3D;
        case Parent::PageEffect:
        case Parent::EffectPanel:
            return PAGE_EFFECT;
        case Parent::PageMic:
        case Parent::MicPanel:
            return PAGE_MIC;
        case Parent::PageVirtual:
        case Parent::VirtualPanel:
            return PAGE_VIRTUAL;
        default:
            return -1;
    }
}

Scene::Scene() {
    controls_.reserve(kCatalogueSize);
    for (size_t i = 0; i < kCatalogueSize; ++i) {
        Control c = FromRow(kCatalogue[i]);
        if (c.kind == Kind::Label) {
            c.caption = DesignCaption(c.name);
        }
        if (c.kind == Kind::Panel) {
            panelIndex_[PageOf(c.parent)] = i;
        } else if (c.kind == Kind::Notebook) {
            notebookIndex_ = i;
        }
        controls_.push_back(std::move(c));
    }
}

Control* Scene::Find(std::string_view name) {
    for (Control& c : controls_) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

const Control* Scene::Find(std::string_view name) const {
    return const_cast<Scene*>(this)->Find(name);
}

Control* Scene::FindImageByTag(int tag) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if (it->kind == Kind::Image && it->tag == tag) {
            return &*it;
        }
    }
    return nullptr;
}

const Control* Scene::FindImageByTag(int tag) const {
    return const_cast<Scene*>(this)->FindImageByTag(tag);
}

Control* Scene::FindLabelByTag(int tag) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if (it->kind == Kind::Label && it->tag == tag) {
            return &*it;
        }
    }
    return nullptr;
}

void Scene::SetPage(int page) {
    if (page >= 0 && page < kPageCount) {
        page_ = page;
    }
}

const Control* Scene::Notebook() const {
    return notebookIndex_ < controls_.size() && controls_[notebookIndex_].kind == Kind::Notebook
               ? &controls_[notebookIndex_]
               : nullptr;
}

const Control& Scene::PagePanel(int page) const {
    return controls_[panelIndex_[page >= 0 && page < kPageCount ? page : 0]];
}

void Scene::SetPanelSize(int page, Size size) {
    if (page >= 0 && page < kPageCount) {
        Rect& bounds = controls_[panelIndex_[page]].bounds;
        bounds.width = size.width;
        bounds.height = size.height;
    }
}

Point Scene::ParentOrigin(const Control& control) const {
    if (control.parent == Parent::Window) {
        return {0, 0};
    }
    const Rect& book = controls_[notebookIndex_].bounds;
    Point origin{book.left, book.top};
    if (control.kind != Kind::Panel) {
        const Rect& panel = PagePanel(PageOf(control.parent)).bounds;
        origin.x += panel.left;
        origin.y += panel.top;
    }
    return origin;
}

Point Scene::WindowToPanel(Point window) const {
    const Control& panel = PagePanel(page_);
    const Point origin = ParentOrigin(panel);
    return {window.x - origin.x - panel.bounds.left, window.y - origin.y - panel.bounds.top};
}

Control* Scene::HitChildren(Parent parent, Point local, bool includeDisabled, bool graphicOnly) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control& c = *it;
        if (c.parent != parent || !c.visible || (!includeDisabled && !c.enabled)) {
            continue;
        }
        const bool graphic = c.kind == Kind::Image || c.kind == Kind::Label;
        if (graphicOnly && !graphic) {
            continue;
        }
        if (c.kind == Kind::Panel || c.kind == Kind::Notebook) {
            continue;
        }
        if (c.bounds.Contains(local)) {
            return &c;
        }
    }
    return nullptr;
}

Control* Scene::HitTestPage(Point panelPoint) {
    const Control& panel = PagePanel(page_);
    if (!Rect{0, 0, panel.bounds.width, panel.bounds.height}.Contains(panelPoint)) {
        return nullptr;
    }
    return HitChildren(PanelParentOfPage(page_), panelPoint, true, true);
}

Control* Scene::HitTestWindow(Point windowPoint) {
    const Control& book = controls_[notebookIndex_];
    if (book.visible && book.bounds.Contains(windowPoint)) {
        const Control& panel = PagePanel(page_);
        const Point local = WindowToPanel(windowPoint);
        if (!Rect{0, 0, panel.bounds.width, panel.bounds.height}.Contains(local)) {
            return nullptr;
        }
        return HitChildren(PanelParentOfPage(page_), local, false, false);
    }
    return HitChildren(Parent::Window, windowPoint, false, false);
}
