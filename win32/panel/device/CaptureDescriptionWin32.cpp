#include <windows.h>

#include <cwchar>
#include <memory>

#include "AudioEndpointsWin32.h"
#include "WideText.h"

namespace {

// DirectSoundCaptureEnumerateW is imported by ordinal.
constexpr WORD kCaptureEnumerateOrdinal = 8;
constexpr size_t kDescriptionChars = 260;  // terminator included

// The callback receives the device's GUID, description and interface path.
using CaptureCallback = BOOL(CALLBACK*)(LPGUID, LPCWSTR, LPCWSTR, LPVOID);
using CaptureEnumerate = HRESULT(WINAPI*)(CaptureCallback callback, LPVOID context);

struct LibraryFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer>;

struct SearchState {
    const std::u16string* prefix;
    wchar_t description[kDescriptionChars];
};

BOOL CALLBACK OnCaptureDevice(LPGUID, LPCWSTR description, LPCWSTR path, LPVOID context) {
    auto* state = static_cast<SearchState*>(context);
    const std::u16string& prefix = *state->prefix;
    if (!prefix.empty() && path && description && std::wcslen(path) >= prefix.size() &&
        _wcsnicmp(path, W(prefix), prefix.size()) == 0) {
        std::wcsncpy(state->description, description, kDescriptionChars - 1);
        state->description[kDescriptionChars - 1] = L'\0';
    }
    return TRUE;  // the last matching device wins
}

// dsound.dll from the system folder only, never from the program's folder or the search path.
UniqueLibrary LoadSystemDsound() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\dsound.dll";
    return UniqueLibrary(LoadLibraryW(path.c_str()));
}

}  // namespace

std::u16string FindCaptureDescriptionByPrefix(const std::u16string& prefix) {
    const UniqueLibrary dsound = LoadSystemDsound();
    if (!dsound)
        return std::u16string();
    const FARPROC proc = GetProcAddress(dsound.get(), MAKEINTRESOURCEA(kCaptureEnumerateOrdinal));
    if (!proc)
        return std::u16string();
    // Through void (*)(), which converts to any function type without a warning.
    const auto enumerate = reinterpret_cast<CaptureEnumerate>(reinterpret_cast<void (*)()>(proc));
    SearchState state{&prefix, {}};
    enumerate(OnCaptureDevice, &state);
    return U16(state.description);
}
