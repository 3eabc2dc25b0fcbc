#include "IntoAppearance.h"

#include <string>

namespace {

// Key names are ASCII.
std::string Narrow(const std::u16string& name) {
    return std::string(name.begin(), name.end());
}

}  // namespace

void PutSkinImages(const SkinLayout& layout, Appearance& look) {
    for (int i = 0; i < kSkinImageCount; ++i) {
        const SkinKeyName name = SkinImageKeyAt(i);
        std::string key = Narrow(name.key);
        if (std::u16string(name.section) == u"About") {
            key = "About." + key;
        }
        look.images[key] = layout.images[static_cast<size_t>(i)];
    }
}

void PutLanguageStyles(const LanguageStyles& language, Appearance& look) {
    for (int i = 0; i < kLabelStyleCount; ++i) {
        look.labels[Narrow(LabelStyleKeyAt(i))] = language.styles[static_cast<size_t>(i)];
    }
    look.globals = language.global;
}
