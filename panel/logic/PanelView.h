// Port: what the settings logic needs from the presentation (the skinned window). Controls are
// named by their tag (ControlTags.h); a value label carries the tag of its slider.
#pragma once

#include <string>

#include "ViewGeometry.h"

class IPanelView {
public:
    virtual ~IPanelView() = default;

    // Left and Top of the image with this tag.
    virtual Point ImagePosition(int tag) const = 0;
    virtual void MoveImage(int tag, Point topLeft) = 0;
    // Where the slider with this tag travels under the skin in force; {0, 0} for no slider.
    virtual SliderRange SliderTravel(int sliderTag) const = 0;
    // Caption of the label with this tag.
    virtual void SetLabelText(int tag, const std::u16string& text) = 0;
    // Repaints the switch of this tag (image and label) in its on or off look; for TAG_SYNC the
    // on look is the visible SyncImage.
    virtual void ShowToggle(int tag, bool on) = 0;
    // Width of the microphone level bar.
    virtual void SetLevelBarWidth(int width) = 0;
    // Index of the page on show: 0 EQ, 1 3D, 2 Effect, 3 Mic, 4 Virtual 7.1.
    virtual int CurrentPage() const = 0;
};
