#include "Describe.h"

#include <cmath>
#include <cstring>
#include <string>

#include "ChipSettings.h"
#include "ControlTags.h"
#include "LabelText.h"
#include "SceneDiff.h"
#include "SliderMapping.h"

namespace {

// Sliders named by the label beside them.
constexpr struct {
    const char* slider;
    const char* label;
} kSliderLabels[] = {
    {"EQ60HzSliderImage", "EQ60HzLabel"},       {"EQ300HzSliderImage", "EQ300HzLabel"},
    {"EQ1200HzSliderImage", "EQ1200HzLabel"},   {"EQ3600HzSliderImage", "EQ3600HzLabel"},
    {"EQ12000HzSliderImage", "EQ12000HzLabel"}, {"MicSliderImage", "MicGainLabel"},
};

// Texts that inform without taking the focus; the second names the control showing the value.
constexpr struct {
    const char* name;
    const char* value;
} kInformative[] = {
    {"DeviceActiveLabel", nullptr},
    {"SettingLabel", "SXLabel"},
};

const std::u16string& CaptionOf(const Scene& scene, const char* name) {
    static const std::u16string none;
    const Control* control = scene.Find(name);
    return control ? control->caption : none;
}

// The label of the button with this image's tag.
const Control* CaptionLabel(const Scene& scene, const Control& image) {
    if (image.tag == TAG_NONE) {
        return nullptr;
    }
    for (auto it = scene.Controls().rbegin(); it != scene.Controls().rend(); ++it) {
        if (it->kind == Kind::Label && it->tag == image.tag) {
            return it->role == Role::Caption ? &*it : nullptr;
        }
    }
    return nullptr;
}

std::u16string NameOf(const AccessView& view, const Control& c) {
    if (c.kind == Kind::Label && !c.caption.empty()) {
        return c.caption;
    }
    if (const Control* label = CaptionLabel(view.scene, c); label && !label->caption.empty()) {
        return label->caption;
    }
    for (const auto& slider : kSliderLabels) {
        if (c.name == slider.slider && !CaptionOf(view.scene, slider.label).empty()) {
            return CaptionOf(view.scene, slider.label);
        }
    }
    return view.names.Of(c.name.c_str());
}

// An EQ band in whole decibels against the flat gain, as its arrow keys step it ("+3 dB"): its
// value label holds the chip's gain in hexadecimal, which tells a listener nothing.
std::u16string EqBandValue(const PanelState& state, int band) {
    const long db = std::lround(EqLevelDb(state.workingEq.Gain[band]));
    const std::string text = (db > 0 ? "+" : "") + std::to_string(db) + " dB";
    return std::u16string(text.begin(), text.end());
}

// A slider shows its value in the label with its tag.
std::u16string SliderValue(const Scene& scene, const Control& slider) {
    for (const Control& c : scene.Controls()) {
        if (c.kind == Kind::Label && c.role == Role::SliderValue && c.tag == slider.tag) {
            return c.caption;
        }
    }
    return {};
}

std::u16string LinkModeName(const AccessibleNames& names, int32_t mode) {
    switch (mode) {
        case 1:
            return names.Of("D3LinkDependent");
        case 2:
            return names.Of("D3LinkInverse");
        default:
            return names.Of("D3LinkIndependent");  // -1 and 0 alike
    }
}

}  // namespace

AccessibleItem DescribeControl(const AccessView& view, const Control& c) {
    AccessibleItem item;
    item.control = &c;
    item.name = NameOf(view, c);
    item.bounds = WindowBounds(view.scene, c);
    if (!c.enabled) {
        item.states |= kAccessUnavailable;
    }
    const AccessibleNames& names = view.names;
    const bool on = c.row && IsOn(*c.row, view.state);
    switch (c.role) {
        case Role::PageTab:
            item.role = AccessRole::PageTab;
            if (c.tag - TAG_PAGE_EQ == view.scene.Page()) {
                item.states |= kAccessSelected;
            }
            item.defaultAction = names.Of("ActionSwitch");
            break;
        case Role::PushButton:
        case Role::Indicator:
            item.role = AccessRole::PushButton;
            item.defaultAction = names.Of("ActionPress");
            break;
        case Role::Toggle:
            item.role = AccessRole::CheckButton;
            if (on) {
                item.states |= kAccessChecked;
            }
            item.defaultAction = names.Of(on ? "ActionUncheck" : "ActionCheck");
            break;
        case Role::Selector:
            item.role = AccessRole::RadioButton;
            if (on) {
                item.states |= kAccessChecked;
            }
            item.defaultAction = names.Of("ActionSelect");
            break;
        case Role::ModeButton:
            // A press steps to the next mode: a button whose value is the mode in force.
            item.role = AccessRole::PushButton;
            item.value = LinkModeName(names, c.row ? StateOf(*c.row, view.state) : 0);
            item.defaultAction = names.Of("ActionPress");
            break;
        case Role::Slider:
            item.role = AccessRole::Slider;
            if (const int band = c.tag - TAG_EQ_SLIDER_60HZ; band >= 0 && band < kEqBandCount) {
                item.value = EqBandValue(view.state, band);
            } else {
                item.value = SliderValue(view.scene, c);
                // A chip setting's slider may have no value label: the value it stands for.
                const ChipSetting* setting = SettingShownBy(c.tag);
                if (item.value.empty() && setting) {
                    item.value = DecimalText(setting->Get(view.state));
                }
            }
            break;
        case Role::Speaker:
            item.role = AccessRole::Graphic;
            break;
        case Role::LevelMeter: {
            item.role = AccessRole::ProgressBar;
            // The bar's width is the level; its place is the whole length.
            const int length = view.skin.micProgressLength;
            const int width = c.bounds.width < 0 ? 0 : c.bounds.width;
            item.value =
                DecimalText(length > 0 ? static_cast<int32_t>(int64_t{width} * 100 / length) : 0) +
                u"%";
            item.bounds.width = length;
            break;
        }
        default:
            item.role = AccessRole::StaticText;
            break;
    }
    return item;
}

std::vector<AccessibleItem> DescribeWindow(const AccessView& view,
                                           const std::vector<Control*>& focusOrder,
                                           const Control* focused) {
    std::vector<AccessibleItem> items;
    items.reserve(focusOrder.size() + 4);
    for (const Control* c : focusOrder) {
        if (!c) {
            continue;
        }
        AccessibleItem item = DescribeControl(view, *c);
        item.states |= kAccessFocusable;
        if (c == focused) {
            item.states |= kAccessFocused;
        }
        items.push_back(std::move(item));
    }
    const Scene& scene = view.scene;
    for (const Control& c : scene.Controls()) {
        if (c.role == Role::LevelMeter && IsPainted(scene, c)) {
            items.push_back(DescribeControl(view, c));
        }
    }
    for (const auto& info : kInformative) {
        const Control* c = scene.Find(info.name);
        if (c && IsPainted(scene, *c) && !c->caption.empty()) {
            AccessibleItem item = DescribeControl(view, *c);
            if (info.value) {
                item.value = CaptionOf(scene, info.value);
            }
            items.push_back(std::move(item));
        }
    }
    return items;
}
