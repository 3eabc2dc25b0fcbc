// The presentation as the logic sees it: image positions, label captions and switch looks by tag,
// the level bar and the page on show. Positions live in a fixed table, so moving icons allocates
// nothing.
#pragma once

#include <array>
#include <map>
#include <string>

#include "PanelView.h"

class FakePanelView : public IPanelView {
public:
    static constexpr int kTagLimit = 160;

    Point ImagePosition(int tag) const override { return InRange(tag) ? positions_[tag] : Point{}; }
    void MoveImage(int tag, Point topLeft) override {
        if (InRange(tag)) {
            positions_[tag] = topLeft;
        }
        ++moves;
    }
    SliderRange SliderTravel(int sliderTag) const override {
        const auto it = travels.find(sliderTag);
        return it == travels.end() ? SliderRange{} : it->second;
    }
    void SetLabelText(int tag, const std::u16string& text) override { labels[tag] = text; }
    void ShowToggle(int tag, bool on) override { toggles[tag] = on; }
    void SetLevelBarWidth(int width) override { levelBarWidth = width; }
    int CurrentPage() const override { return page; }

    int Top(int tag) const { return ImagePosition(tag).y; }

    std::map<int, SliderRange> travels;  // what the catalogue would give
    std::map<int, std::u16string> labels;
    std::map<int, bool> toggles;
    int levelBarWidth = -1;
    int page = 0;
    long moves = 0;

private:
    static bool InRange(int tag) { return tag >= 0 && tag < kTagLimit; }

    std::array<Point, kTagLimit> positions_{};
};
