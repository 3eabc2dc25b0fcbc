// The calls of oleacc.dll and oleaut32.dll that the accessible objects make, each library loaded
// from the system folder when a screen reader first asks for an object and kept from then on: a
// panel that nobody reads maps neither for them.
#pragma once

#include <windows.h>

#include <oleacc.h>

// LresultFromObject into *result; false when the library is missing (the window procedure then
// leaves the message to DefWindowProc).
bool AccessibleLresult(REFIID iid, WPARAM flags, IUnknown* object, LRESULT* result);

// CreateStdAccessibleObject; E_FAIL when the library is missing.
HRESULT StandardAccessibleObject(HWND window, LONG objectId, REFIID iid, void** object);

// SysAllocStringLen: a text the reader frees; null when the library is missing.
BSTR AccessibleString(const wchar_t* text, UINT length);
