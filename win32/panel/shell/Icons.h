// An .ico file at the system's small and large icon sizes.
#pragma once

#include <windows.h>

#include <string>

#include "ShellHandles.h"

class Icons {
public:
    // False when the file cannot be read as an icon at both sizes; the icons held stay.
    bool Load(const std::u16string& path);

    HICON Small() const { return small_.get(); }
    HICON Large() const { return large_.get(); }

private:
    UniqueIcon small_;
    UniqueIcon large_;
};
