// Where the microphone notice goes: beside the tray icon when the shell tells where it is, on
// the side of it that faces the work area, else in the work area's bottom-right corner (where
// the notification area is by default). Always wholly inside the work area.
#pragma once

#include "Control.h"

// icon: the tray icon's rectangle on the screen, or null when the shell does not tell it.
Rect PlaceNotice(Size notice, const Rect& workArea, const Rect* icon, int margin);
