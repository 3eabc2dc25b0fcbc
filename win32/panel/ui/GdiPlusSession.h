// GDI+ started for the lifetime of the object; everything that decodes or draws with GDI+ must
// live inside one.
#pragma once

#include <windows.h>

#include <cstdint>

class GdiPlusSession {
public:
    GdiPlusSession();
    ~GdiPlusSession();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;

    bool Started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};
