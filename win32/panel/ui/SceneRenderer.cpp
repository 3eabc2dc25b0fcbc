#include "SceneRenderer.h"

#include "FocusRing.h"
#include "SceneDiff.h"
#include "TextMeasureGdi.h"
#include "WideText.h"

namespace {

// Classic bevel colours: button shadow, then highlight.
constexpr COLORREF kBevelDark = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kBevelLight = RGB(0xFF, 0xFF, 0xFF);

RECT ToRect(const Rect& r) {
    return RECT{r.left, r.top, r.left + r.width, r.top + r.height};
}

void Fill(HDC dc, const Rect& r, COLORREF colour) {
    if (IsEmpty(r)) {
        return;
    }
    const RECT box = ToRect(r);
    SetDCBrushColor(dc, colour);
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// The frame between outer and the inner rectangle inside it, as far as it lies in clip.
void Frame(HDC dc, const Rect& clip, const Rect& outer, const Rect& inner, COLORREF colour) {
    const int outerRight = outer.left + outer.width;
    const int outerBottom = outer.top + outer.height;
    const int innerRight = inner.left + inner.width;
    const int innerBottom = inner.top + inner.height;
    Fill(dc, Intersect(clip, Rect{outer.left, outer.top, outer.width, inner.top - outer.top}),
         colour);
    Fill(dc, Intersect(clip, Rect{outer.left, innerBottom, outer.width, outerBottom - innerBottom}),
         colour);
    Fill(dc, Intersect(clip, Rect{outer.left, inner.top, inner.left - outer.left, inner.height}),
         colour);
    Fill(dc, Intersect(clip, Rect{innerRight, inner.top, outerRight - innerRight, inner.height}),
         colour);
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

// The window's own controls first, then the page on show above them; each in creation order.
// f returns false to stop.
template <typename F>
void InPaintOrder(const Scene& scene, F f) {
    for (const Control& c : scene.Controls()) {
        if (PageOf(c.parent) < 0 && !f(c)) {
            return;
        }
    }
    for (const Control& c : scene.Controls()) {
        if (PageOf(c.parent) >= 0 && !f(c)) {
            return;
        }
    }
}

UINT AlignFlag(Align align) {
    switch (align) {
        case Align::Center:
            return DT_CENTER;
        case Align::Right:
            return DT_RIGHT;
        default:
            return DT_LEFT;
    }
}

}  // namespace

SceneRenderer::SceneRenderer(PicturesWin32& pictures, FontCache& fonts, COLORREF background)
    : pictures_(pictures), fonts_(fonts), background_(background) {}

void SceneRenderer::Paint(const Scene& scene, HDC target, const RECT& clip, Size client,
                          HRGN region) {
    const Rect area =
        Intersect(Rect{0, 0, client.width, client.height},
                  Rect{clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top});
    if (IsEmpty(area)) {
        return;
    }
    // Only what is painted goes through the buffer, drawn at client coordinates through the
    // viewport origin.
    HDC dc = buffer_.Prepare(target, Size{area.width, area.height});
    if (!dc) {
        return;
    }
    const Underlay* under =
        moving_ == Role::None
            ? nullptr
            : PrepareUnderlay(scene, target, Rect{0, 0, client.width, client.height});
    if (under && !Inside(area, under->area)) {
        under = nullptr;
    }
    region_ = region;
    // The origin and the clip are set back by hand: restoring a saved state re-selects the
    // font, which under Wine looks up the X resource files every time.
    SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
    // Only the changed pieces: the rectangle around moved icons is mostly unchanged. The clip
    // region is in the buffer's own pixels.
    if (region) {
        UniqueRegion shifted(CreateRectRgn(0, 0, 0, 0));
        if (shifted && CombineRgn(shifted.get(), region, nullptr, RGN_COPY) != ERROR) {
            OffsetRgn(shifted.get(), -area.left, -area.top);
            ExtSelectClipRgn(dc, shifted.get(), RGN_COPY);
        }
    }
    IntersectClipRect(dc, area.left, area.top, area.left + area.width, area.top + area.height);
    if (under) {
        // One copy instead of blending every picture below the moving ones.
        BitBlt(dc, area.left, area.top, area.width, area.height, under->buffer.Dc(),
               area.left - under->area.left, area.top - under->area.top, SRCCOPY);
    } else {
        Fill(dc, area, background_);
    }
    bool above = !under;
    InPaintOrder(scene, [&](const Control& c) {
        above = above || &c == under->first;
        if (above) {
            PaintControl(scene, c, dc, area);
        }
        return true;
    });
    PaintFocusRing(scene, area, dc);
    SelectClipRgn(dc, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    region_ = nullptr;
    BitBlt(target, area.left, area.top, area.width, area.height, dc, 0, 0, SRCCOPY);
    // Small repaints (a slider, the rotating icons) keep theirs; a buffer for most of the window
    // is made again when next needed, so the shown window does not hold a second copy of itself.
    if (2 * static_cast<long long>(area.width) * area.height >
        static_cast<long long>(client.width) * client.height) {
        buffer_.Release();
    }
}

void SceneRenderer::SetMoving(Role role) {
    moving_ = role;
    if (role == Role::None) {
        underlay_.ready = false;
        underlay_.buffer.Release();
    }
}

void SceneRenderer::Release() {
    buffer_.Release();
    underlay_.ready = false;
    underlay_.buffer.Release();
    scaled_.Clear();
}

const SceneRenderer::Underlay* SceneRenderer::PrepareUnderlay(const Scene& scene, HDC like,
                                                              const Rect& client) {
    const Control* first = nullptr;
    InPaintOrder(scene, [&](const Control& c) {
        if (c.role == moving_ && IsPainted(scene, c)) {
            first = &c;
        }
        return !first;
    });
    const int page = first ? PageOf(first->parent) : -1;
    if (page < 0) {
        return nullptr;
    }
    const Rect area = Intersect(client, scale_.ToScreen(PaintedRect(scene, scene.PagePanel(page))));
    if (IsEmpty(area)) {
        return nullptr;
    }
    Underlay& u = underlay_;
    bool same = u.ready && u.first == first && u.dpi == scale_.Dpi() && SameRect(u.area, area) &&
                u.colours == colours_;
    size_t n = 0;
    InPaintOrder(scene, [&](const Control& c) {
        if (&c == first) {
            return false;
        }
        if (n == u.below.size()) {
            u.below.emplace_back();
            same = false;
        }
        if (same) {
            StateInto(scene, c, scratch_);
            same = SamePaint(scratch_, u.below[n]);
        }
        if (!same) {
            StateInto(scene, c, u.below[n]);
        }
        ++n;
        return true;
    });
    same = same && n == u.below.size();
    u.below.resize(n);
    if (same) {
        return &u;
    }
    // Composed as a whole paint composes it, so the copy is the same pixels.
    HDC dc = u.buffer.Prepare(like, Size{area.width, area.height});
    if (!dc) {
        u.ready = false;
        return nullptr;
    }
    SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
    IntersectClipRect(dc, area.left, area.top, area.left + area.width, area.top + area.height);
    Fill(dc, area, background_);
    InPaintOrder(scene, [&](const Control& c) {
        if (&c == first) {
            return false;
        }
        PaintControl(scene, c, dc, area);
        return true;
    });
    SelectClipRgn(dc, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    u.ready = true;
    u.first = first;
    u.dpi = scale_.Dpi();
    u.area = area;
    u.colours = colours_;
    return &u;
}

void SceneRenderer::PaintControl(const Scene& scene, const Control& control, HDC dc,
                                 const Rect& clip) {
    if (!IsPainted(scene, control)) {
        return;
    }
    const Rect area = Intersect(scale_.ToScreen(PaintedRect(scene, control)), clip);
    if (IsEmpty(area)) {
        return;
    }
    const RECT box = ToRect(area);
    if (region_ && !RectInRegion(region_, &box)) {
        return;
    }
    const Rect design = WindowBounds(scene, control);
    const Rect bounds = scale_.ToScreen(design);
    switch (control.kind) {
        case Kind::Image:
            PaintImage(control, design, bounds, area, dc);
            break;
        case Kind::Label:
            PaintLabel(control, bounds, area, dc);
            break;
        case Kind::Line:
            PaintLine(control, design, area, dc);
            break;
        default:  // panels and the notebook: their backgrounds are the skin's pictures
            break;
    }
}

void SceneRenderer::PaintImage(const Control& control, const Rect& design, const Rect& bounds,
                               const Rect& area, HDC dc) {
    const DecodedPicture* original = pictures_.Picture(control.picture, control.transparent);
    if (!original) {
        return;
    }
    // Pixel for pixel at the design's density; stretched pictures keep hard edges at any.
    const bool stretched = control.stretch && (design.width != original->size.width ||
                                               design.height != original->size.height);
    const DecodedPicture* picture =
        stretched ? original : scaled_.Get(control.picture, *original, scale_);
    if (!picture) {
        return;
    }
    const bool keyed = control.transparent && picture->keyed;
    const bool blend = keyed || !picture->opaque;
    HDC source = SourceDc(*picture, keyed, dc);
    if (!source) {
        return;
    }
    const BLENDFUNCTION over{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const Size size = picture->size;

    if (!stretched) {
        // Only what shows, pixel for pixel.
        const Rect shown = Intersect(area, Rect{bounds.left, bounds.top, size.width, size.height});
        if (IsEmpty(shown)) {
            return;
        }
        const int sx = shown.left - bounds.left;
        const int sy = shown.top - bounds.top;
        if (blend) {
            AlphaBlend(dc, shown.left, shown.top, shown.width, shown.height, source, sx, sy,
                       shown.width, shown.height, over);
        } else {
            BitBlt(dc, shown.left, shown.top, shown.width, shown.height, source, sx, sy, SRCCOPY);
        }
        return;
    }
    // Stretched pixel for pixel, as skins expect: hard edges, and the cheapest mode.
    SavedDcState saved(dc);
    IntersectClipRect(dc, area.left, area.top, area.left + area.width, area.top + area.height);
    if (blend) {
        AlphaBlend(dc, bounds.left, bounds.top, bounds.width, bounds.height, source, 0, 0,
                   size.width, size.height, over);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, bounds.left, bounds.top, bounds.width, bounds.height, source, 0, 0,
                   size.width, size.height, SRCCOPY);
    }
}

HDC SceneRenderer::SourceDc(const DecodedPicture& picture, bool keyed, HDC like) {
    UniqueDc& source = keyed ? picture.keyedDc : picture.dibDc;
    if (!source) {
        source.reset(CreateCompatibleDC(like));
        if (source) {
            SelectObject(source.get(), keyed ? picture.keyed.get() : picture.dib.get());
        }
    }
    return source.get();
}

void SceneRenderer::PaintLabel(const Control& control, const Rect& bounds, const Rect& area,
                               HDC dc) {
    if (control.caption.empty()) {
        return;
    }
    SavedDcState saved(dc);
    IntersectClipRect(dc, area.left, area.top, area.left + area.width, area.top + area.height);
    SelectedObject font(dc, fonts_.Get(control.font, scale_.Dpi()));
    SetBkMode(dc, TRANSPARENT);
    const LabelInk ink = InkForLabel(control.colour, colours_);
    SetTextColor(dc, static_cast<COLORREF>(ink.text));
    const UINT flags = kLabelTextFlags | AlignFlag(control.align);
    RECT box = ToRect(bounds);
    if (ink.boxed) {
        // Behind the text only, a pixel around it: the picture below stays in view.
        RECT extent = box;
        DrawTextW(dc, W(control.caption), static_cast<int>(control.caption.size()), &extent,
                  flags | DT_CALCRECT);
        const int width = extent.right - extent.left;
        int left = bounds.left;
        if (control.align == Align::Center) {
            left += (bounds.width - width) / 2;
        } else if (control.align == Align::Right) {
            left += bounds.width - width;
        }
        const int pad = scale_.ToScreen(1);
        Fill(dc,
             Intersect(area, Rect{left - pad, bounds.top - pad, width + 2 * pad,
                                  extent.bottom - extent.top + 2 * pad}),
             static_cast<COLORREF>(ink.box));
    }
    DrawTextW(dc, W(control.caption), static_cast<int>(control.caption.size()), &box, flags);
}

void SceneRenderer::PaintFocusRing(const Scene& scene, const Rect& area, HDC dc) {
    if (!focus_ || !IsPainted(scene, *focus_)) {
        return;
    }
    const Rect bounds = WindowBounds(scene, *focus_);
    const Rect inner = scale_.ToScreen(Inflate(bounds, kFocusRingLine));
    const Rect outer = scale_.ToScreen(Inflate(bounds, 2 * kFocusRingLine));
    const RingInk ink = InkForFocusRing(colours_);
    Frame(dc, area, outer, inner, static_cast<COLORREF>(ink.outer));
    Frame(dc, area, inner, scale_.ToScreen(bounds), static_cast<COLORREF>(ink.inner));
}

void SceneRenderer::PaintLine(const Control& control, const Rect& design, const Rect& area,
                              HDC dc) {
    // Only the right-edge bevel exists in the window: an etched vertical line.
    if (!control.rightEdge || design.width < 2) {
        return;
    }
    const int right = design.left + design.width;
    const Rect dark = scale_.ToScreen(Rect{right - 2, design.top, 1, design.height});
    const Rect light = scale_.ToScreen(Rect{right - 1, design.top, 1, design.height});
    Fill(dc, Intersect(area, dark), kBevelDark);
    Fill(dc, Intersect(area, light), kBevelLight);
}
