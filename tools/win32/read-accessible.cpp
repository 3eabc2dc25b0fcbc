// Reads a running program's window the way a screen reader does (Active Accessibility): the
// window's accessible object, its children in order, and for each visible one the role, name,
// state, value, access key, place on the screen and default action; then the control that has
// the keyboard. One line each, UTF-8, into FILE (a console would lose the accented letters):
//   window<TAB>NAME
//   ROLE<TAB>NAME<TAB>STATES<TAB>VALUE<TAB>KEY<TAB>LEFT,TOP,WIDTH,HEIGHT<TAB>ACTION
//   focus<TAB>ROLE<TAB>NAME
// Then, as asked:
//   -do NAME      the default action of the child called NAME: "did<TAB>NAME<TAB>HRESULT"
//   -events SECS  a WinEvent hook (out of context) on the window's process for SECS seconds:
//                 "hooked" once it listens, then "event<TAB>KIND<TAB>CHILD<TAB>NAME" for the
//                 window's focus, value, state, name and reorder events
//   -focus NAME   while listening, the focus to the child called NAME (accSelect):
//                 "focused<TAB>NAME<TAB>HRESULT"
//   read-accessible.exe [-do NAME] [-events SECS [-focus NAME]] CLASS FILE
// Exit code 0 when the window was read, 1 when it was not found (or the named child is not
// there), 2 for a bad command line.
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
        case ROLE_SYSTEM_PAGETAB:
            return L"page tab";
        case ROLE_SYSTEM_SLIDER:
            return L"slider";
        case ROLE_SYSTEM_GRAPHIC:
            return L"graphic";
    }
    wchar_t text[32];
    wsprintfW(text, L"role 0x%lx", role);
    return text;
}

std::wstring StateNames(long state) {
    const std::pair<long, const wchar_t*> names[] = {
        {STATE_SYSTEM_FOCUSED, L"focused"},         {STATE_SYSTEM_CHECKED, L"checked"},
        {STATE_SYSTEM_UNAVAILABLE, L"unavailable"}, {STATE_SYSTEM_DEFAULT, L"default"},
        {STATE_SYSTEM_FOCUSABLE, L"focusable"},     {STATE_SYSTEM_SELECTED, L"selected"},
        {STATE_SYSTEM_PRESSED, L"pressed"},
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
    Bstr value, key, action;
    object->get_accValue(child, &value.text);
    object->get_accKeyboardShortcut(child, &key.text);
    object->get_accDefaultAction(child, &action.text);
    long left = 0, top = 0, width = 0, height = 0;
    object->accLocation(&left, &top, &width, &height, child);
    wchar_t place[64];
    wsprintfW(place, L"%ld,%ld,%ld,%ld", left, top, width, height);
    return RoleName(RoleOf(object, child)) + L"\t" + NameOf(object, child) + L"\t" +
           StateNames(StateOf(object, child)) + L"\t" + value.get() + L"\t" + key.get() + L"\t" +
           place + L"\t" + action.get();
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

// The default action (or, with focus, accSelect's focus) of the child called name.
int OnChild(HWND window, HANDLE file, const std::wstring& name, bool focus) {
    const std::wstring what = focus ? L"focused\t" : L"did\t";
    Accessible client = ClientOf(window);
    long count = 0;
    if (!client || FAILED(client->get_accChildCount(&count)))
        return 1;
    for (long id = 1; id <= count; ++id) {
        VARIANT child = Self();
        child.lVal = id;
        if (NameOf(client.get(), child) == name) {
            const HRESULT result = focus ? client->accSelect(SELFLAG_TAKEFOCUS, child)
                                         : client->accDoDefaultAction(child);
            wchar_t code[16];
            wsprintfW(code, L"0x%08lx", static_cast<unsigned long>(result));
            Write(file, what + name + L"\t" + code);
            return 0;
        }
    }
    Write(file, what + name + L"\tnot found");
    return 1;
}

HWND g_window = nullptr;
HANDLE g_file = nullptr;

const wchar_t* EventName(DWORD event) {
    switch (event) {
        case EVENT_OBJECT_FOCUS:
            return L"focus";
        case EVENT_OBJECT_VALUECHANGE:
            return L"value";
        case EVENT_OBJECT_STATECHANGE:
            return L"state";
        case EVENT_OBJECT_NAMECHANGE:
            return L"name";
        case EVENT_OBJECT_REORDER:
            return L"reorder";
    }
    return nullptr;
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
    const wchar_t* kind = EventName(event);
    if (!kind || window != g_window || object != OBJID_CLIENT)
        return;
    IAccessible* source = nullptr;
    VARIANT id;
    VariantInit(&id);
    std::wstring name;
    if (SUCCEEDED(AccessibleObjectFromEvent(window, object, child, &source, &id)) && source) {
        name = NameOf(source, id);
        source->Release();
    }
    VariantClear(&id);
    wchar_t number[16];
    wsprintfW(number, L"%ld", child);
    Write(g_file, std::wstring(L"event\t") + kind + L"\t" + number + L"\t" + name);
}

// Listens to the window's process as a screen reader does, outside it.
void Listen(HWND window, HANDLE file, DWORD seconds, const std::wstring& focus) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    g_window = window;
    g_file = file;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr,
                                         OnEvent, process, 0, WINEVENT_OUTOFCONTEXT);
    if (!hook) {
        Write(file, L"error\tno hook");
        return;
    }
    Write(file, L"hooked");
    if (!focus.empty())
        OnChild(window, file, focus, true);
    const DWORD end = GetTickCount() + seconds * 1000;
    for (;;) {
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    UnhookWinEvent(hook);
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
        // A window whose children are its own elements names the focused one itself.
        VARIANT child;
        VariantInit(&child);
        if (focused && (FAILED(focused->get_accFocus(&child)) || child.vt != VT_I4)) {
            VariantClear(&child);
            child = Self();
        }
        if (focused)
            Write(file, L"focus\t" + RoleName(RoleOf(focused.get(), child)) + L"\t" +
                            NameOf(focused.get(), child));
        VariantClear(&child);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring action, focus;
    DWORD seconds = 0;
    int arg = 1;
    for (; arg + 1 < argc && argv[arg][0] == L'-'; arg += 2) {
        const std::wstring option = argv[arg];
        if (option == L"-do")
            action = argv[arg + 1];
        else if (option == L"-focus")
            focus = argv[arg + 1];
        else if (option == L"-events")
            seconds = static_cast<DWORD>(_wtoi(argv[arg + 1]));
        else
            return 2;
    }
    if (argc - arg != 2)
        return 2;
    HWND window = FindWindowW(argv[arg], nullptr);
    if (!window)
        return 1;
    // Shared for reading: a check may look while the events come in.
    HANDLE file = CreateFileW(argv[arg + 1], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    CoInitialize(nullptr);
    int result = Read(window, file);
    if (result == 0 && !action.empty())
        result = OnChild(window, file, action, false);
    if (result == 0 && seconds > 0)
        Listen(window, file, seconds, focus);
    CoUninitialize();
    CloseHandle(file);
    return result;
}
