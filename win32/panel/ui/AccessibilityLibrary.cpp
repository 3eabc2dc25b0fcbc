#include "AccessibilityLibrary.h"

#include "Handles.h"

namespace {

using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using SysAllocStringLenFn = BSTR(WINAPI*)(const OLECHAR*, UINT);

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
    const FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    // Through void (*)(), which converts to any function type without a warning.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

// Kept for the process's life once loaded: a reader that asked once asks again, and the objects
// handed out call into them until the process ends.
HMODULE Oleacc() {
    static const HMODULE library = LoadSystemLibrary(L"oleacc.dll").release();
    return library;
}

HMODULE Oleaut32() {
    static const HMODULE library = LoadSystemLibrary(L"oleaut32.dll").release();
    return library;
}

}  // namespace

bool AccessibleLresult(REFIID iid, WPARAM flags, IUnknown* object, LRESULT* result) {
    static const auto call = Lookup<LresultFromObjectFn>(Oleacc(), "LresultFromObject");
    if (!call)
        return false;
    *result = call(iid, flags, object);
    return true;
}

HRESULT StandardAccessibleObject(HWND window, LONG objectId, REFIID iid, void** object) {
    static const auto call =
        Lookup<CreateStdAccessibleObjectFn>(Oleacc(), "CreateStdAccessibleObject");
    if (!call) {
        if (object)
            *object = nullptr;
        return E_FAIL;
    }
    return call(window, objectId, iid, object);
}

BSTR AccessibleString(const wchar_t* text, UINT length) {
    static const auto call = Lookup<SysAllocStringLenFn>(Oleaut32(), "SysAllocStringLen");
    return call ? call(text, length) : nullptr;
}
