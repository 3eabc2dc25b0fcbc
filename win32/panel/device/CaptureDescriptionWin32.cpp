#include <windows.h>

#include <memory>
#include <vector>

#include "AudioEndpointsWin32.h"
#include "Handles.h"
#include "WideText.h"

namespace {

// DirectSoundCaptureEnumerateW is imported by ordinal.
constexpr WORD kCaptureEnumerateOrdinal = 8;
constexpr size_t kDescriptionChars = 260;  // terminator included

// The callback receives the device's GUID, description and module: the interface path with
// XP-era drivers, the endpoint ID from Vista on.
using CaptureCallback = BOOL(CALLBACK*)(LPGUID, LPCWSTR, LPCWSTR, LPVOID);
using CaptureEnumerate = HRESULT(WINAPI*)(CaptureCallback callback, LPVOID context);

BOOL CALLBACK OnCaptureDevice(LPGUID, LPCWSTR description, LPCWSTR module, LPVOID context) {
    if (description) {
        auto* devices = static_cast<std::vector<DirectSoundCaptureEntry>*>(context);
        // Descriptions are held in fewer than 260 characters.
        std::u16string text = U16(description);
        if (text.size() >= kDescriptionChars)
            text.resize(kDescriptionChars - 1);
        devices->push_back({std::move(text), module ? U16(module) : std::u16string()});
    }
    return TRUE;
}

}  // namespace

std::vector<DirectSoundCaptureEntry> DirectSoundCaptureDevicesWin32() {
    // Loaded once for the program's life: the lookups run several times per slider move.
    static const UniqueLibrary dsound = LoadSystemLibrary(L"dsound.dll");
    static const FARPROC proc =
        dsound ? GetProcAddress(dsound.get(), MAKEINTRESOURCEA(kCaptureEnumerateOrdinal)) : nullptr;
    std::vector<DirectSoundCaptureEntry> devices;
    if (!proc)
        return devices;
    // Through void (*)(), which converts to any function type without a warning.
    const auto enumerate = reinterpret_cast<CaptureEnumerate>(reinterpret_cast<void (*)()>(proc));
    enumerate(OnCaptureDevice, &devices);
    return devices;
}

std::u16string FindCaptureDescriptionByPrefix(const std::u16string& prefix) {
    return DescriptionByInterfacePath(DirectSoundCaptureDevicesWin32(), prefix);
}
