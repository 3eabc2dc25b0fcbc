// Reads a running program's window the way a screen reader does (Active Accessibility): the
// window's accessible object, its children in order, and for each visible one the role, name,
// state, value and access key; then the control that has the keyboard. One line each, UTF-8,
// into FILE (a console would lose the accented letters):
//   window<TAB>NAME
//   ROLE<TAB>NAME<TAB>STATES<TAB>VALUE<TAB>KEY
//   focus<TAB>ROLE<TAB>NAME
//   read-accessible.exe CLASS FILE
// Exit code 0 when the window was read, 1 when it was not found, 2 for a bad command line.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
using Accessible = std::unique_ptr<IAccessible, Releaser>;

struct Bstr {
    BSTR text = nullptr;
    ~Bstr() { SysFreeString(text); }
    std::wstring get() const { return text ? std::wstring(text, SysStringLen(text)) : L""; }
};

std::wstring RoleName(long role) {
    switch (role) {
        case ROLE_SYSTEM_STATICTEXT:
            return L"text";
        case ROLE_SYSTEM_PUSHBUTTON:
            return L"push button";
        case ROLE_SYSTEM_RADIOBUTTON:
            return L"radio button";
        case ROLE_SYSTEM_CHECKBUTTON:
            return L"check box";
        case ROLE_SYSTEM_COMBOBOX:
            return L"combo box";
        case ROLE_SYSTEM_PROGRESSBAR:
            return L"progress bar";
        case ROLE_SYSTEM_CLIENT:
            return L"client";
        case ROLE_SYSTEM_WINDOW:
            return L"window";
        case ROLE_SYSTEM_DIALOG:
            return L"dialog";
    }
    wchar_t text[32];
    wsprintfW(text, L"role 0x%lx", role);
    return text;
}

std::wstring StateNames(long state) {
    const std::pair<long, const wchar_t*> names[] = {
        {STATE_SYSTEM_FOCUSED, L"focused"},         {STATE_SYSTEM_CHECKED, L"checked"},
        {STATE_SYSTEM_UNAVAILABLE, L"unavailable"}, {STATE_SYSTEM_DEFAULT, L"default"},
        {STATE_SYSTEM_FOCUSABLE, L"focusable"},
    };
    std::wstring text;
    for (const auto& [bit, name] : names) {
        if (state & bit)
            text += (text.empty() ? L"" : L",") + std::wstring(name);
    }
    return text;
}

VARIANT Self() {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

long RoleOf(IAccessible* object, VARIANT child) {
    VARIANT role;
    VariantInit(&role);
    const long value =
        SUCCEEDED(object->get_accRole(child, &role)) && role.vt == VT_I4 ? role.lVal : 0;
    VariantClear(&role);
    return value;
}

long StateOf(IAccessible* object, VARIANT child) {
    VARIANT state;
    VariantInit(&state);
    const long value =
        SUCCEEDED(object->get_accState(child, &state)) && state.vt == VT_I4 ? state.lVal : 0;
    VariantClear(&state);
    return value;
}

std::wstring NameOf(IAccessible* object, VARIANT child) {
    Bstr name;
    object->get_accName(child, &name.text);
    return name.get();
}

// A child window's own object (its client area): a button's role is there, not on the frame.
Accessible ClientOf(HWND window) {
    IAccessible* object = nullptr;
    const HRESULT result = AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&object));
    if (FAILED(result)) {
        fwprintf(stderr, L"AccessibleObjectFromWindow(%p): 0x%08lx\n", static_cast<void*>(window),
                 static_cast<unsigned long>(result));
        return nullptr;
    }
    return Accessible(object);
}

std::wstring Describe(IAccessible* object, VARIANT child) {
    Bstr value, key;
    object->get_accValue(child, &value.text);
    object->get_accKeyboardShortcut(child, &key.text);
    return RoleName(RoleOf(object, child)) + L"\t" + NameOf(object, child) + L"\t" +
           StateNames(StateOf(object, child)) + L"\t" + value.get() + L"\t" + key.get();
}

void Write(HANDLE file, const std::wstring& line) {
    const std::wstring withEnd = line + L"\n";
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, withEnd.c_str(), static_cast<int>(withEnd.size()), nullptr,
                            0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, withEnd.c_str(), static_cast<int>(withEnd.size()), bytes.data(),
                        size, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int Read(HWND window, HANDLE file) {
    Accessible client = ClientOf(window);
    if (!client) {
        Write(file, L"error\tno accessible object");
        return 1;
    }
    Write(file, L"window\t" + NameOf(client.get(), Self()));

    long count = 0;
    client->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<size_t>(count > 0 ? count : 0));
    long obtained = 0;
    if (count > 0)
        AccessibleChildren(client.get(), 0, count, children.data(), &obtained);
    for (long i = 0; i < obtained; ++i) {
        VARIANT& child = children[static_cast<size_t>(i)];
        if (child.vt == VT_DISPATCH && child.pdispVal) {
            IAccessible* frame = nullptr;
            child.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&frame));
            HWND control = nullptr;
            if (frame) {
                WindowFromAccessibleObject(frame, &control);
                frame->Release();
            }
            Accessible own = control ? ClientOf(control) : nullptr;
            if (own && !(StateOf(own.get(), Self()) & STATE_SYSTEM_INVISIBLE))
                Write(file, Describe(own.get(), Self()));
        } else if (child.vt == VT_I4) {
            if (!(StateOf(client.get(), child) & STATE_SYSTEM_INVISIBLE))
                Write(file, Describe(client.get(), child));
        }
        VariantClear(&child);
    }

    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) && thread.hwndFocus) {
        Accessible focused = ClientOf(thread.hwndFocus);
        if (focused)
            Write(file, L"focus\t" + RoleName(RoleOf(focused.get(), Self())) + L"\t" +
                            NameOf(focused.get(), Self()));
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    HWND window = FindWindowW(argv[1], nullptr);
    if (!window)
        return 1;
    HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    CoInitialize(nullptr);
    const int result = Read(window, file);
    CoUninitialize();
    CloseHandle(file);
    return result;
}
