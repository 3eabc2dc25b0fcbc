#include "PointerEngine.h"

#include <cstdint>

#include "ControlTags.h"
#include "UserActions.h"

namespace {

constexpr int kBarTagOffset = 100;
// Keeps the arithmetic on pointer coordinates far from overflow.
constexpr int kCoordinateLimit = 1 << 20;

bool IsImage(const Control& c, int lo, int hi) {
    return c.kind == Kind::Image && c.tag >= lo && c.tag <= hi;
}

int Offset(int base, int from, int to) {
    const int64_t v = static_cast<int64_t>(base) + to - from;
    return static_cast<int>(v < -kCoordinateLimit  ? -kCoordinateLimit
                            : v > kCoordinateLimit ? kCoordinateLimit
                                                   : v);
}

}  // namespace

void PointerEngine::Grab(Control& control, Point window) {
    if (!ctx_.device.devicePresent) {
        warn_();
        return;
    }
    dragging_ = true;
    grabbed_ = &control;
    page_ = scene_.Page();
    pressAt_ = window;
    grabbedAt_ = {control.bounds.left, control.bounds.top};
}

void PointerEngine::Press(Point window) {
    const Point p = scene_.WindowToPanel(window);
    Control* hit = scene_.HitTestPage(p);
    if (!hit) {
        return;
    }
    Control& c = *hit;
    switch (scene_.Page()) {
        case PAGE_EQ:
            if (IsImage(c, TAG_EQ_SLIDER_60HZ, TAG_EQ_SLIDER_12000HZ)) {
                Grab(c, window);
            } else if (IsImage(c, TAG_EQ_SLIDER_60HZ + kBarTagOffset,
                               TAG_EQ_SLIDER_12000HZ + kBarTagOffset)) {
                if (!ctx_.device.devicePresent) {
                    warn_();
                    return;
                }
                const int slider = c.tag - kBarTagOffset;
                const Control* s = scene_.FindImageByTag(slider);
                OnEqSliderMoved(ctx_, slider, p.y - (s ? s->bounds.height / 2 : 0));
            }
            break;
        case PAGE_3D:
            if (IsImage(c, TAG_3D_LEFT_BETA, TAG_3D_RIGHT_ALPHA)) {
                Grab(c, window);
            }
            break;
        case PAGE_MIC:
            if (IsImage(c, TAG_MIC_SLIDER, TAG_MIC_SLIDER)) {
                Grab(c, window);
            } else if (IsImage(c, TAG_MIC_SLIDER + kBarTagOffset, TAG_MIC_SLIDER + kBarTagOffset)) {
                if (!ctx_.device.devicePresent) {
                    warn_();
                    return;
                }
                const Control* s = scene_.FindImageByTag(TAG_MIC_SLIDER);
                OnMicSliderMoved(ctx_, p.y - (s ? s->bounds.height / 2 : 0));
            }
            break;
        case PAGE_VIRTUAL:
            // Only the speaker icons are dragged: the page's buttons and background stay put.
            if (IsImage(c, TAG_SPEAKER_L, TAG_SPEAKER_L + kSpeakerCount - 1)) {
                Grab(c, window);
            }
            break;
        default:
            break;
    }
}

void PointerEngine::Move(Point window) {
    if (!dragging_ || !grabbed_) {
        return;
    }
    const Point at{Offset(grabbedAt_.x, pressAt_.x, window.x),
                   Offset(grabbedAt_.y, pressAt_.y, window.y)};
    switch (page_) {
        case PAGE_EQ:
            OnEqSliderMoved(ctx_, grabbed_->tag, at.y);
            break;
        case PAGE_3D:
            On3DSliderMoved(ctx_, grabbed_->tag, at.y);
            break;
        case PAGE_MIC:
            OnMicSliderMoved(ctx_, at.y);
            break;
        case PAGE_VIRTUAL:
            DragIcon(at);
            break;
        default:
            break;
    }
}

void PointerEngine::DragIcon(Point at) {
    const SkinGeometry& g = ctx_.skin;
    const int64_t dx = static_cast<int64_t>(at.x) - g.centerX;
    const int64_t dy = static_cast<int64_t>(at.y) - g.centerY;
    const int64_t r = g.radius;
    if (dx * dx + dy * dy > r * r) {
        return;
    }
    const Control* picture = scene_.Find("VirtualPicImage");
    if (!picture) {
        return;
    }
    const Rect& pic = picture->bounds;
    Rect& icon = grabbed_->bounds;
    if (at.x > pic.left + 10 && at.x + icon.width <= pic.left + pic.width - 10) {
        icon.left = at.x;
    }
    if (at.y >= pic.top + 10 && at.y + icon.height <= pic.top + pic.height - 10) {
        icon.top = at.y;
    }
    OnSpeakerIconDragged(ctx_);
}

void PointerEngine::Release() {
    dragging_ = false;
    grabbed_ = nullptr;
}
