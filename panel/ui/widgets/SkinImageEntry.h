// A picture and its bounds as one skin key gives them; empty until a skin fills it.
#pragma once

#include <cstdint>
#include <string>

struct SkinImageEntry {
    std::u16string FileName;  // inside the skin folder, at most 63 characters; empty = none
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool HasLeft = false;
    bool HasTop = false;
    bool HasWidth = false;
    bool HasHeight = false;
};
