#include "Appearance.h"

int DensityFactor(int pixelsPerInch, bool beforeVista) {
    int factor = 0;
    switch (pixelsPerInch) {
        case 96:
            factor = kDensityUnit;
            break;
        case 120:
            factor = 8000;
            break;
        case 144:
            return 6664;
        default:
            if (pixelsPerInch <= 0) {
                factor = kDensityUnit;
            } else {
                factor = (96 * kDensityUnit + pixelsPerInch / 2) / pixelsPerInch;
            }
            break;
    }
    return beforeVista ? factor * 9 / 10 : factor;
}

const SkinImageEntry& Appearance::Image(const std::string& key) const {
    static const SkinImageEntry empty;
    auto it = images.find(key);
    return it == images.end() ? empty : it->second;
}

LabelStyle& Appearance::Label(const std::string& key) {
    return labels[key];
}
