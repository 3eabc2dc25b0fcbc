// The skin and language keys each button's looks come from, by tag.
#pragma once

struct ButtonKeys {
    int tag;
    const char* up;     // skin key of the released / off / unselected picture
    const char* down;   // skin key of the pressed / on / selected picture
    const char* style;  // language key of the label's colours; null: no label
};

// Push buttons: tags 0-6 and 48. Null for any other tag.
const ButtonKeys* PushButtonKeys(int tag);
// Toggles: tags 7, 8, 13, 21, 22, 47, 49, 50, 51. Null for any other tag.
const ButtonKeys* ToggleKeys(int tag);
// Presets S1-S4 (tags 9-12) and effects (16-20). Null for any other tag.
const ButtonKeys* SelectorKeys(int tag);
// The picture of each effect (1-5) on EffectPicImage.
const char* EffectPictureKey(int effect);
// The 3D link buttons (14 alpha, 15 beta): the picture key for a link mode 0-2.
const char* LinkPictureKey(int tag, int mode);
