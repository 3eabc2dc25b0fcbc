// Port: picture files as the platform loads them.
#pragma once

#include <string>

#include "Control.h"

class IPictures {
public:
    virtual ~IPictures() = default;

    // Loads the picture at a full path; false when it cannot be read or decoded.
    virtual bool Load(const std::u16string& path, Size* size) = 0;
};
