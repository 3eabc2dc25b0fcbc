// The application-wide pointer filter: a left press on the current page grabs a slider or a
// speaker icon (or jumps a slider to a bar press), moves drag it, the release lets go. Points are
// in the main window's client coordinates.
#pragma once

#include <functional>

#include "PanelContext.h"
#include "Scene.h"

class PointerEngine {
public:
    // warn shows the device warning message.
    PointerEngine(Scene& scene, PanelContext& ctx, std::function<void()> warn)
        : scene_(scene), ctx_(ctx), warn_(std::move(warn)) {}

    void Press(Point window);
    void Move(Point window);
    void Release();

    bool Dragging() const { return dragging_; }
    const Control* Grabbed() const { return grabbed_; }

    // The keyboard's moves, each a press and a drag in one: without the headset the warning,
    // else the drag's clamp and handler. A slider's wanted Top; an icon's wanted top-left corner
    // in its panel.
    void SlideTo(const Control& slider, int top);
    void MoveIconTo(Control& icon, Point at);

private:
    void Grab(Control& control, Point window);
    void DragIcon(Control& icon, Point at);
    // The slider's Top within its travel, handed to its handler.
    void Slide(const Control& slider, int top);

    Scene& scene_;
    PanelContext& ctx_;
    std::function<void()> warn_;
    bool dragging_ = false;
    Control* grabbed_ = nullptr;
    Point pressAt_;
    Point grabbedAt_;  // the control's Left and Top at the press
};
