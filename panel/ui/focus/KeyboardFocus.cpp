#include "KeyboardFocus.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "ControlTags.h"
#include "PanelWindow.h"
#include "ReadingOrder.h"
#include "SliderKeys.h"

namespace {

bool TakesFocus(const Control& control) {
    switch (control.role) {
        case Role::PushButton:
        case Role::Toggle:
        case Role::Indicator:
        case Role::Selector:
        case Role::ModeButton:
        case Role::PageTab:
        case Role::Slider:
        case Role::Speaker:
            return true;
        default:
            return false;
    }
}

int Shifted(int v, int by) {
    const int64_t moved = int64_t{v} + by;
    return static_cast<int>(std::clamp<int64_t>(moved, INT_MIN, INT_MAX));
}

}  // namespace

KeyboardFocus::KeyboardFocus(PanelWindow& window) : window_(window) {}

std::vector<Control*> KeyboardFocus::OrderOf() const {
    Scene& scene = window_.GetScene();
    const Control* book = scene.Notebook();
    std::vector<Placed> page;
    std::vector<Placed> own;
    std::vector<Control*> speakers;
    for (Control& c : scene.Controls()) {
        if (!TakesFocus(c) || !c.visible || !c.enabled) {
            continue;
        }
        const int onPage = PageOf(c.parent);
        if (onPage >= 0 && onPage != scene.Page()) {
            continue;
        }
        if (c.role == Role::Speaker) {
            speakers.push_back(&c);
        } else {
            (onPage < 0 ? own : page).push_back({&c, ReadingPlace(c, window_.Context().skin)});
        }
    }
    std::vector<Control*> order = ReadingOrder(page);
    // The speaker icons wander (drags, rotation, the skin's circle): they follow the page's
    // other controls in the order of their channels, which their tags keep.
    std::sort(speakers.begin(), speakers.end(),
              [](const Control* a, const Control* b) { return a->tag < b->tag; });
    order.insert(order.end(), speakers.begin(), speakers.end());
    // Of the window's own, those level with or under the notebook come first (the page's tabs
    // lie under it), then those above it.
    const int below = book ? book->bounds.top : INT_MIN;
    std::vector<Placed> lower;
    std::vector<Placed> upper;
    for (const Placed& p : own) {
        (p.place.top >= below ? lower : upper).push_back(p);
    }
    for (const std::vector<Placed>* part : {&lower, &upper}) {
        const std::vector<Control*> read = ReadingOrder(*part);
        order.insert(order.end(), read.begin(), read.end());
    }
    return order;
}

std::vector<Control*> KeyboardFocus::Order() {
    return OrderOf();
}

bool KeyboardFocus::InOrder(const Control* control) const {
    const std::vector<Control*> order = OrderOf();
    return control && std::find(order.begin(), order.end(), control) != order.end();
}

void KeyboardFocus::Focus(Control* control) const {
    if (control != focused_) {
        focused_ = control;
        ++serial_;
    }
}

Control* KeyboardFocus::Focused() const {
    if (!InOrder(focused_)) {
        const std::vector<Control*> order = OrderOf();
        Focus(order.empty() ? nullptr : order.front());
    }
    return focused_;
}

bool KeyboardFocus::SetFocus(Control* control) {
    if (!InOrder(control)) {
        return false;
    }
    Focus(control);
    return true;
}

uint32_t KeyboardFocus::FocusSerial() const {
    Focused();
    return serial_;
}

bool KeyboardFocus::IndicatorShown() const {
    return indicatorShown_;
}

void KeyboardFocus::SetIndicatorShown(bool shown) {
    indicatorShown_ = shown;
}

void KeyboardFocus::Activate(Control& control) {
    // A press and a release inside the control, handled as the pointer's are.
    switch (control.handler) {
        case Handler::Image:
            if (window_.OnImageMouseDown(control, MouseButton::Left)) {
                window_.OnImageMouseUp(control, MouseButton::Left);
                window_.Click(control);
            }
            break;
        case Handler::Label:
            if (window_.OnLabelMouseDown(control, MouseButton::Left)) {
                window_.OnLabelMouseUp(control, MouseButton::Left);
                window_.Click(control);
            }
            break;
        case Handler::PageTab:
            window_.OnLabelPageMouseDown(control, MouseButton::Left);
            break;
        case Handler::Form:
        case Handler::None:
            break;
    }
}

void KeyboardFocus::Move(bool back) {
    Control* focused = Focused();
    const std::vector<Control*> order = OrderOf();
    if (order.empty()) {
        return;
    }
    const auto at = std::find(order.begin(), order.end(), focused);
    const size_t i = at == order.end() ? 0 : static_cast<size_t>(at - order.begin());
    const size_t n = order.size();
    Focus(order[back ? (i + n - 1) % n : (i + 1) % n]);
}

void KeyboardFocus::SwitchPage(bool back) {
    Scene& scene = window_.GetScene();
    std::vector<Control*> tabs;
    for (Control& c : scene.Controls()) {
        if (c.role == Role::PageTab && c.visible && c.enabled) {
            tabs.push_back(&c);
        }
    }
    if (tabs.empty()) {
        return;
    }
    std::sort(tabs.begin(), tabs.end(),
              [](const Control* a, const Control* b) { return a->tag < b->tag; });
    const int page = scene.Page() + TAG_PAGE_EQ;
    Control* next = nullptr;
    if (back) {
        const auto before = std::find_if(tabs.rbegin(), tabs.rend(),
                                         [page](const Control* t) { return t->tag < page; });
        next = before == tabs.rend() ? tabs.back() : *before;
    } else {
        const auto after = std::find_if(tabs.begin(), tabs.end(),
                                        [page](const Control* t) { return t->tag > page; });
        next = after == tabs.end() ? tabs.front() : *after;
    }
    Activate(*next);
    // Refused (no headset), or overtaken by another switch handled in the page switch's pump:
    // the focus stays.
    if (scene.Page() == next->tag - TAG_PAGE_EQ) {
        SetFocus(next);
    }
}

bool KeyboardFocus::SliderKey(Control& slider, NavKey key) {
    const SliderTrack* track = slider.row ? slider.row->slider : nullptr;
    if (!track) {
        return false;
    }
    const SkinGeometry& skin = window_.Context().skin;
    const int top = slider.bounds.top;
    const double now = track->steps.showing ? track->steps.showing(window_.Context(), slider.tag)
                       : track->steps.shown ? track->steps.shown(skin, top)
                                            : 0.0;
    int wanted = top;
    switch (key) {
        case NavKey::Up:
        case NavKey::Right:
            wanted = StepTop(*track, skin, top, now, -1, track->steps.step);
            break;
        case NavKey::Down:
        case NavKey::Left:
            wanted = StepTop(*track, skin, top, now, +1, track->steps.step);
            break;
        case NavKey::PageUp:
            wanted = StepTop(*track, skin, top, now, -1, track->steps.largeStep);
            break;
        case NavKey::PageDown:
            wanted = StepTop(*track, skin, top, now, +1, track->steps.largeStep);
            break;
        case NavKey::Home:  // the lowest value, at the bottom
            wanted = TopEnd(*track, skin, +1);
            break;
        case NavKey::End:
            wanted = TopEnd(*track, skin, -1);
            break;
        default:
            return false;
    }
    window_.Pointer().SlideTo(slider, wanted);
    return true;
}

bool KeyboardFocus::SpeakerKey(Control& speaker, NavKey key) {
    Point at{speaker.bounds.left, speaker.bounds.top};
    switch (key) {
        case NavKey::Left:
            at.x = Shifted(at.x, -kSpeakerKeyStep);
            break;
        case NavKey::Right:
            at.x = Shifted(at.x, kSpeakerKeyStep);
            break;
        case NavKey::Up:
            at.y = Shifted(at.y, -kSpeakerKeyStep);
            break;
        case NavKey::Down:
            at.y = Shifted(at.y, kSpeakerKeyStep);
            break;
        default:
            return false;
    }
    window_.Pointer().MoveIconTo(speaker, at);
    return true;
}

bool KeyboardFocus::OnKey(NavKey key, KeyModifiers modifiers) {
    indicatorShown_ = true;
    if (modifiers.ctrl) {
        switch (key) {
            case NavKey::Tab:
                SwitchPage(modifiers.shift);
                return true;
            case NavKey::PageDown:
            case NavKey::PageUp:
                SwitchPage(key == NavKey::PageUp);
                return true;
            default:
                return false;
        }
    }
    switch (key) {
        case NavKey::Tab:
            Move(modifiers.shift);
            return true;
        case NavKey::Escape:
            window_.Ports().host.HideToTray();  // as the close button
            return true;
        default:
            break;
    }
    Control* focused = Focused();
    if (!focused) {
        return false;
    }
    if (key == NavKey::Enter || key == NavKey::Space) {
        if (focused->role == Role::Slider || focused->role == Role::Speaker) {
            return false;
        }
        Activate(*focused);
        return true;
    }
    if (focused->role == Role::Slider) {
        return SliderKey(*focused, key);
    }
    if (focused->role == Role::Speaker) {
        return SpeakerKey(*focused, key);
    }
    return false;
}
