#include "SceneDiff.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// Window coordinates in 64 bits, brought back into int's range: a profile may place an icon
// anywhere in it.
int ToInt(int64_t v) {
    return static_cast<int>(
        std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool SameFont(const LabelFont& a, const LabelFont& b) {
    return a.face == b.face && a.heightPx == b.heightPx && a.points == b.points && a.bold == b.bold;
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

const Control* Notebook(const Scene& scene) {
    return scene.Notebook();
}

// Two rectangles whose union is itself a rectangle: stacked with the same columns or side by
// side with the same rows, touching or overlapping.
bool MergeExact(const Rect& a, const Rect& b, Rect* out) {
    if (a.left == b.left && a.width == b.width && a.top <= b.top + b.height &&
        b.top <= a.top + a.height) {
        const int top = std::min(a.top, b.top);
        const int bottom = std::max(a.top + a.height, b.top + b.height);
        *out = {a.left, top, a.width, bottom - top};
        return true;
    }
    if (a.top == b.top && a.height == b.height && a.left <= b.left + b.width &&
        b.left <= a.left + a.width) {
        const int left = std::min(a.left, b.left);
        const int right = std::max(a.left + a.width, b.left + b.width);
        *out = {left, a.top, right - left, a.height};
        return true;
    }
    return false;
}

void Merge(std::vector<Rect>& rects) {
    bool again = true;
    while (again) {
        again = false;
        for (size_t i = 0; i < rects.size() && !again; ++i) {
            for (size_t j = 0; j < rects.size() && !again; ++j) {
                if (i == j) {
                    continue;
                }
                Rect merged;
                if (Inside(rects[j], rects[i])) {
                    rects.erase(rects.begin() + j);
                    again = true;
                } else if (MergeExact(rects[i], rects[j], &merged)) {
                    rects[i] = merged;
                    rects.erase(rects.begin() + j);
                    again = true;
                }
            }
        }
    }
}

}  // namespace

bool SamePaint(const PaintedState& a, const PaintedState& b) {
    if (a.painted != b.painted) {
        return false;
    }
    if (!a.painted) {
        return true;
    }
    return SameRect(a.area, b.area) && SameRect(a.bounds, b.bounds) && a.picture == b.picture &&
           a.stretch == b.stretch && a.transparent == b.transparent && a.caption == b.caption &&
           a.colour == b.colour && SameFont(a.font, b.font) && a.align == b.align;
}

// The snapshot is taken again after every message, 50 times a second while the speakers
// rotate: the strings keep their storage.
void StateInto(const Scene& scene, const Control& c, PaintedState& s) {
    s.painted = IsPainted(scene, c);
    if (!s.painted) {
        return;
    }
    s.area = PaintedRect(scene, c);
    s.bounds = WindowBounds(scene, c);
    s.picture = c.picture;
    s.stretch = c.stretch;
    s.transparent = c.transparent;
    s.caption = c.caption;
    s.colour = c.colour;
    s.font.face = c.font.face;
    s.font.heightPx = c.font.heightPx;
    s.font.points = c.font.points;
    s.font.bold = c.font.bold;
    s.align = c.align;
}

Rect Intersect(const Rect& a, const Rect& b) {
    const int left = std::max(a.left, b.left);
    const int top = std::max(a.top, b.top);
    const int64_t right = std::min(int64_t{a.left} + a.width, int64_t{b.left} + b.width);
    const int64_t bottom = std::min(int64_t{a.top} + a.height, int64_t{b.top} + b.height);
    if (right <= left || bottom <= top) {
        return {left, top, 0, 0};
    }
    return {left, top, ToInt(right - left), ToInt(bottom - top)};
}

bool IsPainted(const Scene& scene, const Control& control) {
    if (!control.visible || control.kind == Kind::Panel || control.kind == Kind::Notebook) {
        return false;
    }
    const int page = PageOf(control.parent);
    if (page < 0) {
        return true;
    }
    const Control* book = Notebook(scene);
    return page == scene.Page() && book && book->visible && scene.PagePanel(page).visible;
}

Rect WindowBounds(const Scene& scene, const Control& control) {
    const Point origin = scene.ParentOrigin(control);
    return {ToInt(int64_t{origin.x} + control.bounds.left),
            ToInt(int64_t{origin.y} + control.bounds.top), control.bounds.width,
            control.bounds.height};
}

Rect PaintedRect(const Scene& scene, const Control& control) {
    Rect area = WindowBounds(scene, control);
    const int page = PageOf(control.parent);
    if (page < 0) {
        return Intersect(area, area);
    }
    if (control.kind != Kind::Panel) {
        area = Intersect(area, WindowBounds(scene, scene.PagePanel(page)));
    }
    if (const Control* book = Notebook(scene)) {
        area = Intersect(area, book->bounds);
    }
    return area;
}

void Update(SceneSnapshot& snap, const Scene& scene) {
    snap.page = scene.Page();
    snap.notebookShown = false;
    snap.notebook = {};
    if (const Control* book = Notebook(scene)) {
        snap.notebookShown = book->visible;
        snap.notebook = book->bounds;
    }
    const auto& controls = scene.Controls();
    snap.controls.resize(controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        StateInto(scene, controls[i], snap.controls[i]);
    }
}

SceneSnapshot Take(const Scene& scene) {
    SceneSnapshot snap;
    Update(snap, scene);
    return snap;
}

std::vector<Rect> Changed(const SceneSnapshot& before, const Scene& now) {
    std::vector<Rect> rects;
    auto add = [&rects](const PaintedState& s) {
        if (s.painted && !IsEmpty(s.area)) {
            rects.push_back(s.area);
        }
    };
    // The panel on show changes as a whole; what lies under its children shows through.
    const Control* book = Notebook(now);
    if (book && (before.page != now.Page() || before.notebookShown != book->visible ||
                 !SameRect(before.notebook, book->bounds))) {
        if (before.notebookShown && !IsEmpty(before.notebook)) {
            rects.push_back(before.notebook);
        }
        if (book->visible && !IsEmpty(book->bounds)) {
            rects.push_back(book->bounds);
        }
    }
    const auto& controls = now.Controls();
    const PaintedState hidden;
    PaintedState current;  // one for all controls: its strings keep their storage
    for (size_t i = 0; i < std::max(controls.size(), before.controls.size()); ++i) {
        const PaintedState& old = i < before.controls.size() ? before.controls[i] : hidden;
        if (i < controls.size()) {
            StateInto(now, controls[i], current);
        } else {
            current.painted = false;
        }
        if (!SamePaint(old, current)) {
            add(old);
            add(current);
        }
    }
    Merge(rects);
    return rects;
}
