#include "NoticePlacement.h"

#include <algorithm>

namespace {

int Clamp(int value, int low, int high) {
    // A notice larger than the work area keeps its top or left edge inside.
    return std::max(low, std::min(value, high));
}

}  // namespace

Rect PlaceNotice(Size notice, const Rect& workArea, const Rect* icon, int margin) {
    const int left = workArea.left + margin;
    const int top = workArea.top + margin;
    const int right = workArea.left + workArea.width - margin - notice.width;
    const int bottom = workArea.top + workArea.height - margin - notice.height;
    if (!icon || icon->width <= 0 || icon->height <= 0) {
        return {std::max(left, right), std::max(top, bottom), notice.width, notice.height};
    }
    const int iconX = icon->left + icon->width / 2;
    const int iconY = icon->top + icon->height / 2;
    const int workX = workArea.left + workArea.width / 2;
    const int workY = workArea.top + workArea.height / 2;
    // A taskbar at the top or bottom: the notice above or below the icon, centred on it; at the
    // left or right: beside it. Outside the work area's middle band counts as that edge.
    const bool beside = iconY >= workArea.top && iconY < workArea.top + workArea.height &&
                        (iconX < workArea.left || iconX >= workArea.left + workArea.width);
    int x, y;
    if (beside) {
        x = iconX < workX ? icon->left + icon->width + margin : icon->left - margin - notice.width;
        y = iconY - notice.height / 2;
    } else {
        x = iconX - notice.width / 2;
        y = iconY < workY ? icon->top + icon->height + margin : icon->top - margin - notice.height;
    }
    return {Clamp(x, left, right), Clamp(y, top, bottom), notice.width, notice.height};
}
