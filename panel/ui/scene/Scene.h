// The main window as a tree of controls built from the catalogue: lookup by name and tag, the
// page on show, coordinates and hit-testing.
#pragma once

#include <string_view>
#include <vector>

#include "Catalogue.h"
#include "Control.h"

class Scene {
public:
    Scene();

    std::vector<Control>& Controls() { return controls_; }
    const std::vector<Control>& Controls() const { return controls_; }

    // Null when absent.
    Control* Find(std::string_view name);
    const Control* Find(std::string_view name) const;
    // From the last created to the first, as the window's component list is walked.
    Control* FindImageByTag(int tag);
    Control* FindLabelByTag(int tag);
    const Control* FindImageByTag(int tag) const;

    int Page() const { return page_; }
    // Out-of-range pages are ignored.
    void SetPage(int page);
    // The page notebook; null only in a scene without one.
    const Control* Notebook() const;
    // The panel that fills a page (0-4).
    const Control& PagePanel(int page) const;

    // The skin's geometry keys: the notebook's bounds and a page panel's size.
    void SetNotebookBounds(Rect bounds) { controls_[notebookIndex_].bounds = bounds; }
    void SetPanelSize(int page, Size size);

    // Top-left of the control's parent in window client coordinates.
    Point ParentOrigin(const Control& control) const;
    // A window point in the coordinates of the current page's panel.
    Point WindowToPanel(Point window) const;

    // The pointer engine's hit: the topmost visible image or label of the current page's panel
    // at a point in panel coordinates (disabled ones included); null outside the panel.
    Control* HitTestPage(Point panelPoint);
    // What receives a press at a window point: the notebook lies above the window's own
    // controls, and within each parent the topmost visible, enabled control wins. Null where
    // only the window itself or a page panel is.
    Control* HitTestWindow(Point windowPoint);

private:
    Control* HitChildren(Parent parent, Point local, bool includeDisabled, bool graphicOnly);

    std::vector<Control> controls_;
    int page_ = 0;
    size_t panelIndex_[kPageCount] = {};
    size_t notebookIndex_ = 0;
};

// The page a panel or its controls sit on, or -1 for the window's own controls.
int PageOf(Parent parent);
