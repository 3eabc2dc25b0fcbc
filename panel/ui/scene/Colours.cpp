#include "Control.h"

int32_t ResolveColour(int32_t colour) {
    if (!IsSystemColour(colour)) {
        return colour;
    }
    switch (colour - INT32_MIN) {
        case 3:  // inactive caption
            return 0xDBCDBF;
        case 4:  // menu
            return 0xF0F0F0;
        case 5:  // window
            return 0xFFFFFF;
        case 8:  // window text
            return 0x000000;
        case 13:  // highlight
            return 0xFF9933;
        default:
            return 0x000000;
    }
}
