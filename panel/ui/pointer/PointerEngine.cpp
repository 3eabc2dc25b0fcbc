#include "PointerEngine.h"

#include <cstdint>

#include "ControlTags.h"
#include "SliderMapping.h"
#include "UserActions.h"

namespace {

// Keeps the arithmetic on pointer coordinates far from overflow.
constexpr int kCoordinateLimit = 1 << 20;

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
    pressAt_ = window;
    grabbedAt_ = {control.bounds.left, control.bounds.top};
}

void PointerEngine::Slide(const Control& slider, int top) {
    const SliderTrack* track = slider.row ? slider.row->slider : nullptr;
    if (!track) {
        return;
    }
    // Its own travel; an inverted one (a broken skin) is left to the handler's clamp.
    const SliderRange travel = TravelOf(*track, ctx_.skin);
    if (travel.length >= 0) {
        top = ClampInt(top, travel.top0, travel.top0 + travel.length);
    }
    track->moved(ctx_, slider.tag, top);
}

void PointerEngine::Press(Point window) {
    const Point p = scene_.WindowToPanel(window);
    Control* hit = scene_.HitTestPage(p);
    if (!hit || hit->kind != Kind::Image) {
        return;
    }
    Control& c = *hit;
    switch (c.role) {
        case Role::Slider:
        case Role::Speaker:
            // Only the speaker icons are dragged on their page: its buttons and background stay.
            Grab(c, window);
            break;
        case Role::SliderBar: {
            if (!ctx_.device.devicePresent) {
                warn_();
                return;
            }
            if (const Control* slider = scene_.FindImageByTag(c.tag - kBarTagOffset)) {
                Slide(*slider, p.y - slider->bounds.height / 2);
            }
            break;
        }
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
    if (grabbed_->role == Role::Speaker) {
        DragIcon(*grabbed_, at);
    } else {
        Slide(*grabbed_, at.y);
    }
}

void PointerEngine::DragIcon(Control& icon, Point at) {
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
    Rect& place = icon.bounds;
    if (at.x > pic.left + 10 && at.x + place.width <= pic.left + pic.width - 10) {
        place.left = at.x;
    }
    if (at.y >= pic.top + 10 && at.y + place.height <= pic.top + pic.height - 10) {
        place.top = at.y;
    }
    OnSpeakerIconDragged(ctx_);
}

void PointerEngine::SlideTo(const Control& slider, int top) {
    if (!ctx_.device.devicePresent) {
        warn_();
        return;
    }
    Slide(slider, top);
}

void PointerEngine::MoveIconTo(Control& icon, Point at) {
    if (!ctx_.device.devicePresent) {
        warn_();
        return;
    }
    DragIcon(icon, at);
}

void PointerEngine::Release() {
    dragging_ = false;
    grabbed_ = nullptr;
}
