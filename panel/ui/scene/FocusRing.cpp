#include "FocusRing.h"

#include "SceneDiff.h"

Rect Inflate(const Rect& r, int d) {
    return Rect{r.left - d, r.top - d, r.width + 2 * d, r.height + 2 * d};
}

Rect FocusRingRect(const Scene& scene, const Control* control) {
    if (!control || !IsPainted(scene, *control)) {
        return {};
    }
    return Inflate(WindowBounds(scene, *control), 2 * kFocusRingLine);
}
