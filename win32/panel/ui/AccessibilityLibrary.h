// oleacc.dll's calls, the library loaded from the system folder when a screen reader first asks
// for an accessible object and kept from then on: a panel that nobody reads never maps it.
#pragma once

#include <windows.h>

#include <oleacc.h>

// LresultFromObject into *result; false when the library is missing (the window procedure then
// leaves the message to DefWindowProc).
bool AccessibleLresult(REFIID iid, WPARAM flags, IUnknown* object, LRESULT* result);

// CreateStdAccessibleObject; E_FAIL when the library is missing.
HRESULT StandardAccessibleObject(HWND window, LONG objectId, REFIID iid, void** object);
