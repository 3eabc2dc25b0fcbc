// The two painting primitives: an image from a skin entry, a label from a language style.
#pragma once

#include <string>

#include "Appearance.h"
#include "Control.h"
#include "Pictures.h"
#include "TextMeasure.h"

struct PaintPorts {
    IPictures& pictures;
    ITextMeasure& text;
};

// Loads the picture at path into the image; throws PanelError when it cannot be read. An
// auto-size image takes the picture's size.
void LoadPicture(Control& image, const std::u16string& path, IPictures& pictures);

// The image shown with the entry's picture from the skin folder (+ subfolder), or hidden when
// the entry names none; then the bounds it gives. Without a width or height the image sizes
// itself to its picture.
void ApplyImageEntry(const SkinImageEntry& entry, Control& image, const std::u16string& subfolder,
                     const Appearance& look, IPictures& pictures);

// The label shown with the style's text (or hidden), coloured for the released or pressed state,
// with its font and bounds. Colours missing from the style are copied in from the globals.
void ApplyLabelStyle(LabelStyle& style, Control& label, bool released, const Appearance& look,
                     ITextMeasure& text);

// Caption, colour and font changes resize a label that is not of fixed size.
void SetCaption(Control& label, const std::u16string& caption, ITextMeasure& text);
void FitLabel(Control& label, ITextMeasure& text);

// points x density / 10000, to the nearest whole number, a half to the even neighbour.
int ScaleFontSize(int points, int density);
