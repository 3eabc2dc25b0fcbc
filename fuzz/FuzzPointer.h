// Presses and drags every control of every page (the window's own ones on the first) with the
// pointer, out to the ends of the coordinates a window message can carry.
#pragma once

#include <cstdint>
#include <vector>

#include "FuzzPanel.h"
#include "PanelError.h"

namespace fuzz {

inline void DragEverything(Panel& panel) {
    PanelWindow& window = panel.window;
    const Point far[] = {{-32768, -32768}, {32767, 32767}, {-32768, 32767}, {0, 0}};
    for (int page = 0; page < 5; ++page) {
        try {
            window.ShowPage(page);
        } catch (const PanelError&) {
            continue;
        }
        std::vector<Point> centres;
        for (const Control& control : window.GetScene().Controls()) {
            // The page's own controls, and the window's once.
            const int owner = PageOf(control.parent);
            if (owner >= 0 ? owner != page : page != 0) {
                continue;
            }
            const Rect& b = control.bounds;
            const Point origin = window.GetScene().ParentOrigin(control);
            centres.push_back(
                {static_cast<int>((int64_t{origin.x} + b.left + b.width / 2) & 0x7FFF),
                 static_cast<int>((int64_t{origin.y} + b.top + b.height / 2) & 0x7FFF)});
        }
        for (const Point at : centres) {
            // A picture the skin names but that cannot be shown is the panel's error to show.
            try {
                window.MouseDown(MouseButton::Left, at);
                for (const Point to : far) {
                    window.MouseMove(to);
                }
                window.MouseUp(MouseButton::Left, at);
            } catch (const PanelError&) {
                window.CancelPress();
            }
        }
    }
}

}  // namespace fuzz
