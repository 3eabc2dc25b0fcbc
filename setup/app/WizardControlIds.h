// Command identifiers of the wizard's controls.
#pragma once

enum : int {
    ID_BACK_BUTTON = 1001,
    ID_NEXT_BUTTON,
    ID_FINISH_BUTTON,
    ID_CANCEL_BUTTON,
    ID_LANGUAGE_COMBO,
    ID_PROGRESS_BAR,
    ID_REBOOT_RADIO,
    ID_NO_REBOOT_RADIO,
    ID_FIRST_LABEL,
};
