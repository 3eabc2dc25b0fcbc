#include "ReadingOrder.h"

#include <algorithm>
#include <cstdint>

namespace {

int64_t Middle(const Rect& r) {
    return int64_t{r.top} + r.height / 2;
}

int64_t Bottom(const Rect& r) {
    return int64_t{r.top} + r.height;
}

}  // namespace

Rect ReadingPlace(const Control& control, const SkinGeometry& skin) {
    if (control.role == Role::Slider && control.row && control.row->slider) {
        const SliderRange travel = TravelOf(*control.row->slider, skin);
        Rect place = control.bounds;
        place.top = travel.top0;
        place.height = std::max(0, travel.length) + control.bounds.height;
        return place;
    }
    return control.bounds;
}

std::vector<Control*> ReadingOrder(std::vector<Placed> controls) {
    // Stable: controls at the very same place keep their creation order.
    std::stable_sort(controls.begin(), controls.end(),
                     [](const Placed& a, const Placed& b) { return a.place.top < b.place.top; });
    std::vector<Control*> order;
    size_t start = 0;
    while (start < controls.size()) {
        const Rect& first = controls[start].place;
        size_t end = start + 1;
        while (end < controls.size() && Middle(controls[end].place) < Bottom(first)) {
            ++end;
        }
        std::stable_sort(controls.begin() + start, controls.begin() + end,
                         [](const Placed& a, const Placed& b) {
                             return a.place.left != b.place.left ? a.place.left < b.place.left
                                                                 : a.place.top < b.place.top;
                         });
        for (size_t i = start; i < end; ++i) {
            order.push_back(controls[i].control);
        }
        start = end;
    }
    return order;
}
