#include "Paint.h"

#include <cstdint>

#include "PanelError.h"

void LoadPicture(Control& image, const std::u16string& path, IPictures& pictures) {
    Size size;
    if (!pictures.Load(path, &size)) {
        throw PanelError(u"Cannot load the picture " + path);
    }
    image.picture = path;
    image.pictureSize = size;
    if (image.autoSize) {
        image.bounds.width = size.width;
        image.bounds.height = size.height;
    }
}

void ApplyImageEntry(const SkinImageEntry& entry, Control& image, const std::u16string& subfolder,
                     const Appearance& look, IPictures& pictures) {
    if (!entry.FileName.empty()) {
        image.visible = true;
        LoadPicture(image, look.skinFolder + subfolder + entry.FileName, pictures);
    } else {
        image.visible = false;
    }
    if (entry.HasLeft) {
        image.bounds.left = entry.Left;
    }
    if (entry.HasTop) {
        image.bounds.top = entry.Top;
    }
    image.autoSize = false;
    if (entry.HasWidth) {
        image.bounds.width = entry.Width;
    }
    if (entry.HasHeight) {
        image.bounds.height = entry.Height;
    }
    if (!entry.HasWidth && !entry.HasHeight) {
        image.autoSize = true;
        if (!image.picture.empty()) {
            image.bounds.width = image.pictureSize.width;
            image.bounds.height = image.pictureSize.height;
        }
    }
}

int ScaleFontSize(int points, int density) {
    const int64_t product = static_cast<int64_t>(points) * density;
    int64_t quotient = product / kDensityUnit;
    int64_t remainder = product % kDensityUnit;
    if (remainder < 0) {  // toward minus infinity, so the remainder is 0 .. unit - 1
        remainder += kDensityUnit;
        --quotient;
    }
    if (2 * remainder > kDensityUnit || (2 * remainder == kDensityUnit && (quotient & 1) != 0)) {
        ++quotient;
    }
    if (quotient > INT32_MAX) {
        return INT32_MAX;
    }
    if (quotient < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int>(quotient);
}

void FitLabel(Control& label, ITextMeasure& text) {
    if (label.fixedSize) {
        return;
    }
    const Size size = text.Measure(label.caption, label.font);
    if (label.align == Align::Right) {
        label.bounds.left += label.bounds.width - size.width;
    }
    label.bounds.width = size.width;
    label.bounds.height = size.height;
}

void SetCaption(Control& label, const std::u16string& caption, ITextMeasure& text) {
    label.caption = caption;
    FitLabel(label, text);
}

void ApplyLabelStyle(LabelStyle& style, Control& label, bool released, const Appearance& look,
                     ITextMeasure& text) {
    const GlobalLabelDefaults& g = look.globals;
    // Later press painting reads the stored colours directly.
    if (!style.HasColorUp && g.ColorUp != -1) {
        style.ColorUp = g.ColorUp;
    }
    if (!style.HasColorDown && g.ColorDown != -1) {
        style.ColorDown = g.ColorDown;
    }
    if (style.Text.empty() || style.Text == u"(null)") {
        label.visible = false;
    } else {
        label.visible = true;
        label.caption = style.Text;
    }
    if (released) {
        if (style.HasColorUp || g.ColorUp != -1) {
            label.colour = style.ColorUp;
        }
    } else if (style.HasColorDown || g.ColorDown != -1) {
        label.colour = style.ColorDown;
    }
    if (style.HasFontName) {
        label.font.face = style.FontName;
    } else if (!g.FontName.empty()) {
        label.font.face = g.FontName;
    }
    int size = -1;
    if (style.HasFontSize) {
        size = style.FontSize;
    } else if (g.FontSize != -1) {
        size = g.FontSize;
    }
    if (size != -1) {
        label.font.points = ScaleFontSize(size, look.density);
    }
    FitLabel(label, text);
    if (style.HasLeft) {
        label.bounds.left = style.Left;
    }
    if (style.HasTop) {
        label.bounds.top = style.Top;
    }
    if (style.HasWidth) {
        label.bounds.width = style.Width;
    }
    if (style.HasHeight) {
        label.bounds.height = style.Height;
    }
}
