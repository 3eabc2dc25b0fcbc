#include "SkinSettings.h"

#include <string>
#include <string_view>
#include <vector>

#include "Catalogue.h"

#include "PanelError.h"
#include "ProfileFile.h"
#include "SkinFields.h"

namespace {

enum class Geometry {
    None,
    BackNotebook,
    EqPanel,
    EqSlider,
    EffectPanel,
    MicPanel,
    MicSlider,
    MicProgressLength,
    VirtualPanel,
    VirtualCenter,
};

struct SkinKey {
    std::u16string section;
    std::u16string key;
    Geometry geometry;
};

struct GeometryKey {
    const char* section;
    const char* key;
    Geometry geometry;
};

// Each section's geometry keys, read after its image keys.
const GeometryKey kGeometryKeys[] = {
    {"Main", "BackNotebook", Geometry::BackNotebook},
    {"EQ", "EQPanel", Geometry::EqPanel},
    {"EQ", "EQSlider", Geometry::EqSlider},
    {"Effect", "EffectPanel", Geometry::EffectPanel},
    {"Mic", "MicPanel", Geometry::MicPanel},
    {"Mic", "MicSlider", Geometry::MicSlider},
    {"Mic", "MicProgressLength", Geometry::MicProgressLength},
    {"Virtual7ch1", "VirtualPanel", Geometry::VirtualPanel},
    {"Virtual7ch1", "VirtualCenter", Geometry::VirtualCenter},
};

const char* const kSectionOrder[] = {"Main", "EQ", "3D", "Effect", "Mic", "Virtual7ch1"};

std::u16string Wide(const char* text) {
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

// Reading order: section by section the catalogue's image keys in creation order, then the
// section's geometry keys; the About dialog's logo last.
std::vector<SkinKey> BuildKeys() {
    std::vector<SkinKey> keys;
    for (const char* section : kSectionOrder) {
        const std::string_view name = section;
        for (size_t i = 0; i < kCatalogueSize; ++i) {
            const CatalogueRow& row = kCatalogue[i];
            if (row.kind != Kind::Image || row.keySource != Keys::Skin ||
                name != SectionOf(row.parent)) {
                continue;
            }
            for (size_t k = 0; k < KeyCount(row); ++k) {
                keys.push_back({Wide(section), Wide(row.keys[k]), Geometry::None});
            }
        }
        for (const GeometryKey& g : kGeometryKeys) {
            if (name == g.section) {
                keys.push_back({Wide(section), Wide(g.key), g.geometry});
            }
        }
    }
    keys.push_back({u"About", u"LogoImage", Geometry::None});
    return keys;
}

const std::vector<SkinKey>& ReadingOrder() {
    static const std::vector<SkinKey> keys = BuildKeys();
    return keys;
}

// The geometry fields as integers; every one of the first count is required.
std::vector<int32_t> Required(const std::u16string& value, size_t count) {
    const std::vector<std::u16string> fields = SplitFields(value);
    std::vector<int32_t> numbers;
    for (size_t i = 0; i < count; ++i) {
        numbers.push_back(FieldPixels(FieldAt(fields, i)));
    }
    return numbers;
}

void ApplyGeometry(Geometry g, const std::u16string& value, SkinLayout& layout,
                   SkinGeometry& geometry) {
    switch (g) {
        case Geometry::None:
            break;
        case Geometry::BackNotebook: {
            const auto n = Required(value, 4);
            layout.backNotebook = {n[0], n[1], n[2], n[3]};
            break;
        }
        case Geometry::EqPanel:
        case Geometry::EffectPanel:
        case Geometry::MicPanel:
        case Geometry::VirtualPanel: {
            const auto n = Required(value, 2);
            SkinBounds& panel = g == Geometry::EqPanel       ? layout.eqPanel
                                : g == Geometry::EffectPanel ? layout.effectPanel
                                : g == Geometry::MicPanel    ? layout.micPanel
                                                             : layout.virtualPanel;
            panel.width = n[0];
            panel.height = n[1];
            break;
        }
        case Geometry::EqSlider:
        case Geometry::MicSlider: {
            const auto n = Required(value, 2);
            (g == Geometry::EqSlider ? geometry.eqTop0 : geometry.micTop0) = n[0];
            geometry.sliderTravel = n[1];  // one travel for every slider: the last one read
            break;
        }
        case Geometry::MicProgressLength:
            geometry.micProgressLength = Required(value, 1)[0];
            break;
        case Geometry::VirtualCenter: {
            const auto n = Required(value, 3);
            layout.previousRadius = geometry.radius;
            geometry.centerX = n[0];
            geometry.centerY = n[1];
            geometry.radius = n[2];
            break;
        }
    }
}

}  // namespace

int SkinImageKeyCount() {
    static const int count = [] {
        int n = 0;
        for (const SkinKey& k : ReadingOrder()) {
            n += k.geometry == Geometry::None ? 1 : 0;
        }
        return n;
    }();
    return count;
}

SkinKeyName SkinImageKeyAt(int index) {
    for (const SkinKey& k : ReadingOrder()) {
        if (k.geometry == Geometry::None && index-- == 0) {
            return {k.section.c_str(), k.key.c_str()};
        }
    }
    return {u"", u""};
}

int SkinImageIndex(const std::u16string& section, const std::u16string& key) {
    int index = 0;
    for (const SkinKey& k : ReadingOrder()) {
        if (k.geometry != Geometry::None) {
            continue;
        }
        if (section == k.section && key == k.key) {
            return index;
        }
        ++index;
    }
    return -1;
}

const SkinImageEntry& SkinImage(const SkinLayout& layout, const std::u16string& section,
                                const std::u16string& key) {
    static const SkinImageEntry kEmpty;
    const int index = SkinImageIndex(section, key);
    return index < 0 ? kEmpty : layout.images[static_cast<size_t>(index)];
}

SkinImageEntry ParseImageValue(const std::u16string& value) {
    const std::vector<std::u16string> fields = SplitFields(value);
    SkinImageEntry entry;
    entry.FileName = FieldAt(fields, 0);
    const struct {
        int32_t& value;
        bool& present;
    } bounds[] = {{entry.Left, entry.HasLeft},
                  {entry.Top, entry.HasTop},
                  {entry.Width, entry.HasWidth},
                  {entry.Height, entry.HasHeight}};
    bool anyBound = false;
    for (size_t i = 0; i < 4; ++i) {
        const std::u16string field = FieldAt(fields, i + 1);
        if (!field.empty()) {
            bounds[i].value = FieldPixels(field);
            bounds[i].present = true;
        }
        anyBound = anyBound || i + 1 < fields.size();
    }
    if (entry.FileName.empty() && anyBound) {
        throw PanelError(u"Cannot load a picture without a file name");
    }
    return entry;
}

void LoadSkinSettings(IProfileStrings& strings, const std::u16string& iniPath, SkinLayout& layout,
                      SkinGeometry& geometry) {
    layout.images.assign(static_cast<size_t>(SkinImageKeyCount()), SkinImageEntry{});
    size_t image = 0;
    for (const SkinKey& k : ReadingOrder()) {
        const std::u16string value = ReadProfileValue(strings, iniPath, k.section, k.key);
        try {
            if (k.geometry == Geometry::None) {
                if (!value.empty()) {
                    layout.images[image] = ParseImageValue(value);
                }
                ++image;
            } else {
                ApplyGeometry(k.geometry, value, layout, geometry);
            }
        } catch (const PanelError& e) {
            throw PanelError(e.text() + u" ([" + k.section + u"] " + k.key + u" in " + iniPath +
                             u")");
        }
    }
}
