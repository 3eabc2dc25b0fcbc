// The whole-window repaints: every picture from the skin's entries and every label from the
// language's styles, each in the look the panel state gives it.
#pragma once

#include "PanelWindow.h"

// Every image from the skin folder itself (the region is applied separately). Throws PanelError
// for a picture that cannot be read; the images before it stay painted.
void ApplySkin(PanelWindow& window);

// Every label from its style, then the page tabs laid out left to right from the EQ tab.
void RepaintLabels(PanelWindow& window);
