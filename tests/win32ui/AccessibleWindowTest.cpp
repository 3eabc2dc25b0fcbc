// The window's accessible object on the real COM and Active Accessibility calls: references,
// the children a reader reads, the window's answer to WM_GETOBJECT, the object cut off with its
// window, and places on the screen at the window's density.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <string>

#include "AccessibleOwner.h"
#include "ComPtr.h"

namespace {

VARIANT Id(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring Take(BSTR text) {
    std::wstring out = text ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return out;
}

class FakeHost : public IAccessibleHost {
public:
    FakeHost() {
        button.name = "Button";
        slider.name = "Slider";
        AccessibleItem a;
        a.control = &button;
        a.role = AccessRole::CheckButton;
        a.name = u"Mute";
        a.states = kAccessFocusable | kAccessChecked | kAccessFocused;
        a.bounds = {10, 10, 20, 10};
        a.defaultAction = u"Uncheck";
        AccessibleItem b;
        b.control = &slider;
        b.role = AccessRole::Slider;
        b.name = u"Volume";
        b.value = u"42";
        b.states = kAccessFocusable;
        b.bounds = {10, 30, 20, 40};
        items = {a, b};
    }
    std::vector<AccessibleItem> Describe() override {
        ++asked;
        return items;
    }
    std::u16string WindowName() override { return u"Panel"; }
    RECT ToScreen(const Rect& r) override {
        return {r.left, r.top, r.left + r.width, r.top + r.height};
    }
    Point ToDesign(POINT screen) override { return {screen.x, screen.y}; }
    bool Focus(const Control& control) override {
        focused = &control;
        return true;
    }
    void DoDefaultAction(const Control& control) override { activated = &control; }

    Control button, slider;
    std::vector<AccessibleItem> items;
    int asked = 0;
    const Control* focused = nullptr;
    const Control* activated = nullptr;
};

// A message-only window (there is one without a display) that answers as the panel does.
class Window {
public:
    explicit Window(IAccessibleHost& host) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Window::Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"AccessibleWindowTest";
        RegisterClassW(&windowClass);
        handle = CreateWindowExW(0, L"AccessibleWindowTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        owner = std::make_unique<AccessibleOwner>(handle, host);
        SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner.get()));
    }
    ~Window() {
        if (handle) {
            DestroyWindow(handle);
        }
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* owner = reinterpret_cast<AccessibleOwner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        LRESULT result = 0;
        if (owner && message == WM_GETOBJECT && owner->Answer(wParam, lParam, &result)) {
            return result;
        }
        if (owner && message == WM_DESTROY) {
            owner->Disconnect();
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND handle = nullptr;
    std::unique_ptr<AccessibleOwner> owner;
};

TEST(AccessibleWindow, ReferencesAndInterfaces) {
    FakeHost host;
    auto* object = new AccessibleWindow(nullptr, host);
    EXPECT_EQ(object->AddRef(), 2u);
    IAccessible* accessible = nullptr;
    ASSERT_EQ(object->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&accessible)),
              S_OK);
    EXPECT_EQ(accessible, object);
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    IUnknown* other = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(object->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&other)),
              E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(dispatch->Release(), 3u);
    EXPECT_EQ(accessible->Release(), 2u);
    EXPECT_EQ(object->Release(), 1u);
    EXPECT_EQ(object->Release(), 0u);  // gone: the last reference deletes it
}

TEST(AccessibleWindow, ReadThroughTheWindowAsAReaderDoes) {
    const ComInit com;
    FakeHost host;
    Window window(host);
    ASSERT_NE(window.handle, nullptr);
    ComPtr<IAccessible> object;
    ASSERT_EQ(AccessibleObjectFromWindow(window.handle, OBJID_CLIENT, __uuidof(IAccessible),
                                         object.PutVoid()),
              S_OK);
    long count = 0;
    ASSERT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 2);

    BSTR text = nullptr;
    EXPECT_EQ(object->get_accName(Id(CHILDID_SELF), &text), S_OK);
    EXPECT_EQ(Take(text), L"Panel");
    EXPECT_EQ(object->get_accName(Id(1), &text), S_OK);
    EXPECT_EQ(Take(text), L"Mute");
    EXPECT_EQ(object->get_accValue(Id(2), &text), S_OK);
    EXPECT_EQ(Take(text), L"42");
    EXPECT_EQ(object->get_accValue(Id(1), &text), S_FALSE);  // a button has none
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(object->get_accDefaultAction(Id(1), &text), S_OK);
    EXPECT_EQ(Take(text), L"Uncheck");
    EXPECT_EQ(object->get_accName(Id(3), &text), E_INVALIDARG);

    VARIANT v;
    EXPECT_EQ(object->get_accRole(Id(2), &v), S_OK);
    EXPECT_EQ(v.lVal, ROLE_SYSTEM_SLIDER);
    EXPECT_EQ(object->get_accRole(Id(CHILDID_SELF), &v), S_OK);
    EXPECT_EQ(v.lVal, ROLE_SYSTEM_CLIENT);
    EXPECT_EQ(object->get_accState(Id(1), &v), S_OK);
    EXPECT_TRUE(v.lVal & STATE_SYSTEM_CHECKED);
    EXPECT_TRUE(v.lVal & STATE_SYSTEM_FOCUSABLE);
    EXPECT_FALSE(v.lVal & STATE_SYSTEM_FOCUSED);  // the window has not the keyboard

    long left = 0, top = 0, width = 0, height = 0;
    EXPECT_EQ(object->accLocation(&left, &top, &width, &height, Id(2)), S_OK);
    EXPECT_EQ((std::vector<long>{left, top, width, height}), (std::vector<long>{10, 30, 20, 40}));
    EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, Id(1), &v), S_OK);
    EXPECT_EQ(v.lVal, 2);
    EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, Id(2), &v), S_FALSE);
    EXPECT_EQ(object->accNavigate(NAVDIR_LASTCHILD, Id(CHILDID_SELF), &v), S_OK);
    EXPECT_EQ(v.lVal, 2);

    EXPECT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, Id(2)), S_OK);
    EXPECT_EQ(host.focused, &host.slider);
    EXPECT_EQ(object->accDoDefaultAction(Id(1)), S_OK);
    EXPECT_EQ(host.activated, &host.button);
    EXPECT_EQ(object->accDoDefaultAction(Id(2)), DISP_E_MEMBERNOTFOUND);  // a slider has none
    ComPtr<IDispatch> parent;
    EXPECT_EQ(object->get_accParent(parent.Put()), S_OK);
    EXPECT_TRUE(parent);
}

TEST(AccessibleWindow, CutOffWithItsWindow) {
    const ComInit com;
    auto host = std::make_unique<FakeHost>();
    auto window = std::make_unique<Window>(*host);
    ASSERT_NE(window->handle, nullptr);
    ComPtr<IAccessible> object;
    ASSERT_EQ(AccessibleObjectFromWindow(window->handle, OBJID_CLIENT, __uuidof(IAccessible),
                                         object.PutVoid()),
              S_OK);
    // Another object of the window is the system's.
    LRESULT answer = 0;
    EXPECT_FALSE(window->owner->Answer(0, OBJID_WINDOW, &answer));

    window.reset();  // WM_DESTROY, then the owner goes
    host.reset();    // a call that touched the host now would read freed memory
    long count = -1;
    EXPECT_EQ(object->get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(count, 0);
    BSTR text = nullptr;
    EXPECT_EQ(object->get_accName(Id(1), &text), RPC_E_DISCONNECTED);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(object->accDoDefaultAction(Id(1)), RPC_E_DISCONNECTED);
    VARIANT v;
    EXPECT_EQ(object->accHitTest(0, 0, &v), RPC_E_DISCONNECTED);
}

TEST(AccessibleWindow, PlacesOnTheScreenAtTheWindowsDensity) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"AccessiblePlacesTest";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"AccessiblePlacesTest", L"", WS_POPUP, 100, 50, 300, 200,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        GTEST_SKIP() << "no window without a display";
    }
    const struct {
        int dpi;
        RECT expected;
    } cases[] = {
        {96, {110, 70, 140, 110}},
        {144, {115, 80, 160, 140}},  // edges rounded up: 15, 30, 60, 90
        {192, {120, 90, 180, 170}},
    };
    for (const auto& c : cases) {
        const RECT r = DesignToScreen(window, ScreenScale(c.dpi), Rect{10, 20, 30, 40});
        EXPECT_EQ((std::vector<long>{r.left, r.top, r.right, r.bottom}),
                  (std::vector<long>{c.expected.left, c.expected.top, c.expected.right,
                                     c.expected.bottom}))
            << c.dpi;
        // A screen pixel inside comes back inside the design rectangle.
        const Point p = ScreenToDesign(window, ScreenScale(c.dpi), {r.left, r.bottom - 1});
        EXPECT_TRUE((Rect{10, 20, 30, 40}.Contains(p))) << c.dpi;
    }
    DestroyWindow(window);
}

}  // namespace
