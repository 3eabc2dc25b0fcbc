#include "AccessibleWindow.h"

#include "AccessibilityLibrary.h"
#include "WideText.h"

namespace {

constexpr HRESULT kGone = RPC_E_DISCONNECTED;

// A BSTR for the caller to free; S_FALSE and null for an empty text.
HRESULT Text(const std::u16string& text, BSTR* out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;
    }
    *out = AccessibleString(W(text), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// What VariantInit does, without importing oleaut32.dll for it.
void Empty(VARIANT* out) {
    out->vt = VT_EMPTY;
}

void SetChild(VARIANT* out, long id) {
    out->vt = VT_I4;
    out->lVal = id;
}

}  // namespace

long AccessibleRoleOf(AccessRole role) {
    switch (role) {
        case AccessRole::PageTab:
            return ROLE_SYSTEM_PAGETAB;
        case AccessRole::PushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case AccessRole::CheckButton:
            return ROLE_SYSTEM_CHECKBUTTON;
        case AccessRole::RadioButton:
            return ROLE_SYSTEM_RADIOBUTTON;
        case AccessRole::Slider:
            return ROLE_SYSTEM_SLIDER;
        case AccessRole::ProgressBar:
            return ROLE_SYSTEM_PROGRESSBAR;
        case AccessRole::Graphic:
            return ROLE_SYSTEM_GRAPHIC;
        case AccessRole::StaticText:
            break;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

long AccessibleStatesOf(uint32_t states) {
    long out = 0;
    const struct {
        uint32_t bit;
        long state;
    } map[] = {
        {kAccessChecked, STATE_SYSTEM_CHECKED},
        {kAccessPressed, STATE_SYSTEM_PRESSED},
        {kAccessUnavailable, STATE_SYSTEM_UNAVAILABLE},
        {kAccessFocusable, STATE_SYSTEM_FOCUSABLE},
        {kAccessFocused, STATE_SYSTEM_FOCUSED},
        {kAccessSelected, STATE_SYSTEM_SELECTED | STATE_SYSTEM_SELECTABLE},
    };
    for (const auto& m : map) {
        if (states & m.bit) {
            out |= m.state;
        }
    }
    return out;
}

AccessibleWindow::AccessibleWindow(HWND window, IAccessibleHost& host)
    : window_(window), host_(&host) {}

HRESULT AccessibleWindow::QueryInterface(REFIID iid, void** object) {
    if (!object) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleWindow::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG AccessibleWindow::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT AccessibleWindow::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT AccessibleWindow::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT AccessibleWindow::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT AccessibleWindow::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                 UINT*) {
    return E_NOTIMPL;
}

bool AccessibleWindow::Child(const VARIANT& child, std::vector<AccessibleItem>& items,
                             const AccessibleItem** item) {
    if (child.vt != VT_I4) {
        return false;
    }
    items = host_->Describe();
    if (child.lVal == CHILDID_SELF) {
        *item = nullptr;
        return true;
    }
    if (child.lVal < 1 || static_cast<size_t>(child.lVal) > items.size()) {
        return false;
    }
    *item = &items[static_cast<size_t>(child.lVal) - 1];
    return true;
}

bool AccessibleWindow::WindowHasFocus() const {
    return GetFocus() == window_;
}

HRESULT AccessibleWindow::get_accParent(IDispatch** parent) {
    if (!parent) {
        return E_POINTER;
    }
    *parent = nullptr;
    if (!host_) {
        return kGone;
    }
    return StandardAccessibleObject(window_, OBJID_WINDOW, IID_IDispatch,
                                    reinterpret_cast<void**>(parent));
}

HRESULT AccessibleWindow::get_accChildCount(long* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    if (!host_) {
        return kGone;
    }
    *count = static_cast<long>(host_->Describe().size());
    return S_OK;
}

HRESULT AccessibleWindow::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!host_) {
        return kGone;
    }
    std::vector<AccessibleItem> items;
    const AccessibleItem* item = nullptr;
    if (!Child(child, items, &item)) {
        return E_INVALIDARG;
    }
    return S_FALSE;  // the children are simple elements of this object
}

HRESULT AccessibleWindow::get_accName(VARIANT child, BSTR* name) {
    if (name) {
        *name = nullptr;
    }
    if (!host_) {
        return kGone;
    }
    std::vector<AccessibleItem> items;
    const AccessibleItem* item = nullptr;
    if (!Child(child, items, &item)) {
        return E_INVALIDARG;
    }
    return Text(item ? item->name : host_->WindowName(), name);
}

HRESULT AccessibleWindow::get_accValue(VARIANT child, BSTR* value) {
    if (value) {
        *value = nullptr;
    }
    if (!host_) {
        return kGone;
    }
    std::vector<AccessibleItem> items;
    const AccessibleItem* item = nullptr;
    if (!Child(child, items, &item)) {
        return E_INVALIDARG;
    }
    return Text(item ? item->value : std::u16string(), value);
}

HRESULT AccessibleWindow::get_accDescription(VARIANT child, BSTR* description) {
    if (description) {
        *description = nullptr;
    }
    if (!host_) {
        return kGone;
    }
    std::vector<AccessibleItem> items;
    const AccessibleItem* item = nullptr;
    return Child(child, items, &item) ? S_FALSE : E_INVALIDARG;
}

HRESULT AccessibleWindow::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) {
        return E_POINTER;
    }
    Empty(role);
    if (!host_) {
        return kGone;
    }
    std::vector<AccessibleItem> items;
    const AccessibleItem* item = nullptr;
    if (!Child(child, items, &item)) {
        return E_INVALIDARG;
    }
    SetChild(role, item ? AccessibleRoleOf(item->role) : host_->WindowRole());
    return S_OK;
}

HRESULT AccessibleWindow::get_accState(VARIANT child, VARIANT* state) {
    if (!state) {
        return E_POINTER;
    }
    Empty(state);
    if (!host_) {
        return kGone;
    }
    std::vector<AccessibleItem> items;
    const AccessibleItem* item = nullptr;
    if (!Child(child, items, &item)) {
        return E_INVALIDARG;
    }
    const bool focus = WindowHasFocus();
    long bits = 0;
    if (item) {
        bits = AccessibleStatesOf(item->states & (focus ? ~0u : ~uint32_t{kAccessFocused}));
    } else {
        bits = STATE_SYSTEM_FOCUSABLE;
        bool childFocused = false;
        for (const AccessibleItem& i : items) {
            childFocused = childFocused || (i.states & kAccessFocused);
        }
        if (focus && !childFocused) {
            bits |= STATE_SYSTEM_FOCUSED;
        }
    }
    if (!IsWindowVisible(window_)) {
        bits |= STATE_SYSTEM_INVISIBLE;
    }
    SetChild(state, bits);
    return S_OK;
}

HRESULT AccessibleWindow::get_accHelp(VARIANT, BSTR* help) {
    if (help) {
        *help = nullptr;
    }
    return host_ ? S_FALSE : kGone;
}

HRESULT AccessibleWindow::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file) {
        *file = nullptr;
    }
    if (topic) {
        *topic = -1;
    }
    return host_ ? S_FALSE : kGone;
}

HRESULT AccessibleWindow::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
    if (shortcut) {
        *shortcut = nullptr;
    }
    return host_ ? S_FALSE : kGone;
}

HRESULT AccessibleWindow::get_accFocus(VARIANT* child) {
    if (!child) {
        return E_POINTER;
    }
    Empty(child);
    if (!host_) {
        return kGone;
    }
    if (!WindowHasFocus()) {
        return S_FALSE;
    }
    const std::vector<AccessibleItem> items = host_->Describe();
    SetChild(child, CHILDID_SELF);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].states & kAccessFocused) {
            child->lVal = static_cast<long>(i) + 1;
        }
    }
    return S_OK;
}

HRESULT AccessibleWindow::get_accSelection(VARIANT* children) {
    if (!children) {
        return E_POINTER;
    }
    Empty(children);
    return host_ ? S_FALSE : kGone;
}

HRESULT AccessibleWindow::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (action) {
        *action = nullptr;
    }
    if (!host_) {
        return kGone;
    }
    std::vector<AccessibleItem> items;
    const AccessibleItem* item = nullptr;
    if (!Child(child, items, &item)) {
        return E_INVALIDARG;
    }
    return Text(item ? item->defaultAction : std::u16string(), action);
}

HRESULT AccessibleWindow::accSelect(long flags, VARIANT child) {
    if (!host_) {
        return kGone;
    }
    std::vector<AccessibleItem> items;
    const AccessibleItem* item = nullptr;
    if (!Child(child, items, &item) || flags != SELFLAG_TAKEFOCUS) {
        return E_INVALIDARG;
    }
    if (!item) {
        SetFocus(window_);
        return S_OK;
    }
    return host_->Focus(*item->control) ? S_OK : S_FALSE;
}

HRESULT AccessibleWindow::accLocation(long* left, long* top, long* width, long* height,
                                      VARIANT child) {
    if (!left || !top || !width || !height) {
        return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    if (!host_) {
        return kGone;
    }
    std::vector<AccessibleItem> items;
    const AccessibleItem* item = nullptr;
    if (!Child(child, items, &item)) {
        return E_INVALIDARG;
    }
    RECT r{};
    if (item) {
        r = host_->ToScreen(item->bounds);
    } else {
        GetClientRect(window_, &r);
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    }
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

HRESULT AccessibleWindow::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) {
        return E_POINTER;
    }
    Empty(end);
    if (!host_) {
        return kGone;
    }
    std::vector<AccessibleItem> items;
    const AccessibleItem* item = nullptr;
    if (!Child(start, items, &item)) {
        return E_INVALIDARG;
    }
    const long count = static_cast<long>(items.size());
    long to = 0;
    if (!item) {
        if (direction == NAVDIR_FIRSTCHILD) {
            to = 1;
        } else if (direction == NAVDIR_LASTCHILD) {
            to = count;
        } else {
            return S_FALSE;  // siblings of the window are its parent's business
        }
    } else {
        switch (direction) {
            case NAVDIR_NEXT:
            case NAVDIR_DOWN:
            case NAVDIR_RIGHT:
                to = start.lVal + 1;
                break;
            case NAVDIR_PREVIOUS:
            case NAVDIR_UP:
            case NAVDIR_LEFT:
                to = start.lVal - 1;
                break;
            default:
                return S_FALSE;
        }
    }
    if (to < 1 || to > count) {
        return S_FALSE;
    }
    SetChild(end, to);
    return S_OK;
}

HRESULT AccessibleWindow::accHitTest(long x, long y, VARIANT* child) {
    if (!child) {
        return E_POINTER;
    }
    Empty(child);
    if (!host_) {
        return kGone;
    }
    POINT at{x, y};
    ScreenToClient(window_, &at);
    RECT client{};
    GetClientRect(window_, &client);
    if (!PtInRect(&client, at)) {
        return S_FALSE;
    }
    const Point design = host_->ToDesign(POINT{x, y});
    const std::vector<AccessibleItem> items = host_->Describe();
    // Later children lie on top: the window's own buttons over nothing, the meter over its page.
    SetChild(child, CHILDID_SELF);
    for (size_t i = items.size(); i-- > 0;) {
        if (items[i].bounds.Contains(design)) {
            child->lVal = static_cast<long>(i) + 1;
            break;
        }
    }
    return S_OK;
}

HRESULT AccessibleWindow::accDoDefaultAction(VARIANT child) {
    if (!host_) {
        return kGone;
    }
    std::vector<AccessibleItem> items;
    const AccessibleItem* item = nullptr;
    if (!Child(child, items, &item)) {
        return E_INVALIDARG;
    }
    if (!item || item->defaultAction.empty()) {
        return DISP_E_MEMBERNOTFOUND;
    }
    host_->DoDefaultAction(*item->control);
    return S_OK;
}

HRESULT AccessibleWindow::put_accName(VARIANT, BSTR) {
    return host_ ? E_NOTIMPL : kGone;
}

HRESULT AccessibleWindow::put_accValue(VARIANT, BSTR) {
    return host_ ? E_NOTIMPL : kGone;
}
