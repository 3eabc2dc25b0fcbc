// The microphone's state in the notification area on the real calls: the muted variant of an
// icon at the tray's sizes, the tray host showing it with its tooltip (also after the shell
// restarts), and the notice window.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <cstring>
#include <string>

#include "Icons.h"
#include "MicNoticeWindow.h"
#include "MutedIcon.h"
#include "ShellTestWindow.h"
#include "TestFiles.h"
#include "TrayHostWin32.h"
#include "TrayIcon.h"

namespace {

// An icon whose pixels tell where they are: alpha and colour vary with x and y.
ArgbImage Pattern(int size) {
    ArgbImage image;
    image.width = image.height = size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const uint32_t alpha = (x + y) % 3 == 0 ? 0 : 0xFF;
            image.pixels.push_back(alpha << 24 | static_cast<uint32_t>(x * 7) << 16 |
                                   static_cast<uint32_t>(y * 7) << 8 | 0x40);
        }
    }
    return image;
}

void ExpectBadgeOver(const ArgbImage& base, const ArgbImage& muted) {
    ASSERT_EQ(muted.width, base.width);
    ASSERT_EQ(muted.height, base.height);
    const Rect badge = MutedBadgeRect(base.width, base.height);
    int changed = 0;
    for (int y = 0; y < base.height; ++y) {
        for (int x = 0; x < base.width; ++x) {
            if (!badge.Contains({x, y})) {
                ASSERT_EQ(muted.At(x, y), base.At(x, y)) << "outside the mark at " << x << "," << y;
            } else if (muted.At(x, y) != base.At(x, y)) {
                ++changed;
            }
        }
    }
    EXPECT_GT(changed, badge.width * badge.height / 2);
    const int cx = badge.left + badge.width / 2;
    const int cy = badge.top + badge.height / 2;
    const int off = badge.width / 4;
    EXPECT_EQ(muted.At(cx, cy), kMutedBadgeWhite);
    EXPECT_EQ(muted.At(cx + off, cy - off) >> 24, 0xFFu);
    EXPECT_GT((muted.At(cx + off, cy - off) >> 16) & 0xFF, 0xB0u);
    EXPECT_LT((muted.At(cx + off, cy - off) >> 8) & 0xFF, 0x60u);
}

TEST(MutedIcon, TheMarkOverAnyIconAtTheTraysSizes) {
    for (const int size : {16, 24, 32}) {
        SCOPED_TRACE(size);
        // Pixels with alpha: they come back exactly outside the mark.
        const ArgbImage pattern = Pattern(size);
        UniqueIcon base = IconFromPixels(pattern);
        ASSERT_TRUE(base);
        EXPECT_EQ(IconPixels(base.get()).pixels, pattern.pixels);
        UniqueIcon muted = MakeMutedIcon(base.get());
        ASSERT_TRUE(muted);
        ExpectBadgeOver(pattern, IconPixels(muted.get()));

        // The product's icon file, loaded at that size.
        const std::u16string file = SourcePath("product/AudioPanel.ico");
        UniqueIcon product(
            static_cast<HICON>(LoadImageW(nullptr, reinterpret_cast<const wchar_t*>(file.c_str()),
                                          IMAGE_ICON, size, size, LR_LOADFROMFILE)));
        ASSERT_TRUE(product);
        const ArgbImage productPixels = IconPixels(product.get());
        ASSERT_EQ(productPixels.width, size);
        UniqueIcon mutedProduct = MakeMutedIcon(product.get());
        ASSERT_TRUE(mutedProduct);
        ExpectBadgeOver(productPixels, IconPixels(mutedProduct.get()));
    }
}

TEST(MutedIcon, AnIconWithoutAlphaTakesItsMask) {
    // A colour bitmap whose alpha bytes are all zero: the mask says what is transparent.
    ArgbImage image = Pattern(16);
    for (uint32_t& p : image.pixels)
        p = (p >> 24) ? (p & 0xFFFFFF) : 0x00FFFFFF;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(colour);
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * 4);
    uint8_t maskBits[16 * 2] = {};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if ((x + y) % 3 == 0)
                maskBits[y * 2 + x / 8] |= 0x80 >> (x % 8);
    UniqueBitmap mask(CreateBitmap(16, 16, 1, 1, maskBits));
    ICONINFO parts{TRUE, 0, 0, mask.get(), colour.get()};
    UniqueIcon icon(CreateIconIndirect(&parts));
    ASSERT_TRUE(icon);
    const ArgbImage read = IconPixels(icon.get());
    ASSERT_EQ(read.width, 16);
    EXPECT_EQ(read.At(0, 0), 0u);                                  // masked: transparent
    EXPECT_EQ(read.At(1, 0), 0xFF000000u | (1 * 7) << 16 | 0x40);  // opaque, its colour
    EXPECT_FALSE(IconPixels(nullptr).width);
    EXPECT_FALSE(MakeMutedIcon(nullptr));
}

// Keeps what the tray was last told.
class RecordingShell : public INotifyShell {
public:
    bool Notify(DWORD message, NOTIFYICONDATAW& data) override {
        if (message == NIM_ADD || message == NIM_MODIFY) {
            last = message;
            tip = reinterpret_cast<const char16_t*>(data.szTip);
            pixels = IconPixels(data.hIcon);
        }
        return message != NIM_ADD || adds++ == 0;  // a restarted shell refuses nothing either
    }
    DWORD last = 0;
    int adds = 0;
    std::u16string tip;
    ArgbImage pixels;
};

TEST(TrayHostMicrophone, MutedVariantAndTooltipThenBackToThePlainIconAlsoAfterAShellRestart) {
    UniqueWindow window(MakeShellTestWindow(L"tray owner", HWND_MESSAGE));
    ASSERT_TRUE(window);
    RecordingShell shell;
    TrayIcon tray(window.get(), WM_APP + 7, shell);
    TrayHostWin32 host(tray, nullptr, nullptr);
    ASSERT_TRUE(host.LoadIcon(SourcePath("product/AudioPanel.ico")));
    host.SetTrayHint(u"QLN47xx Audio Panel");
    ASSERT_TRUE(tray.Add());
    const ArgbImage plain = shell.pixels;
    ASSERT_EQ(plain.width, GetSystemMetrics(SM_CXSMICON));

    host.ShowMicrophone(true, u"QLN47xx Audio Panel \u2013 Microphone muted");
    EXPECT_EQ(shell.last, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(shell.tip, u"QLN47xx Audio Panel \u2013 Microphone muted");
    ExpectBadgeOver(plain, shell.pixels);

    // A new shell: the icon comes back muted, with its tooltip.
    shell.pixels = {};
    shell.adds = 0;
    EXPECT_TRUE(tray.HandleMessage(RegisterWindowMessageW(L"TaskbarCreated"), 0));
    EXPECT_EQ(shell.last, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(shell.tip, u"QLN47xx Audio Panel \u2013 Microphone muted");
    ExpectBadgeOver(plain, shell.pixels);

    host.ShowMicrophone(false, u"QLN47xx Audio Panel");
    EXPECT_EQ(shell.tip, u"QLN47xx Audio Panel");
    EXPECT_EQ(shell.pixels.pixels, plain.pixels);
}

// Pumps the thread's messages until done() holds or timeoutMs has passed.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return true;
}

int g_alerts = 0;
HWND g_alertWindow = nullptr;
void CALLBACK OnAlert(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
    if (event == EVENT_SYSTEM_ALERT && object == OBJID_CLIENT && child == CHILDID_SELF) {
        ++g_alerts;
        g_alertWindow = window;
    }
}

TEST(MicNoticeWindow, ShownWithoutTakingTheFocusReadAsAnAlertAndGoneAfterItsTime) {
    UniqueWindow probe(MakeShellTestWindow(L"focus holder"));
    REQUIRE_TOP_LEVEL_WINDOW(probe);
    ShowWindow(probe.get(), SW_SHOW);
    SetForegroundWindow(probe.get());
    SetFocus(probe.get());
    PumpUntil([] { return false; }, 200);
    const HWND foreground = GetForegroundWindow();
    const HWND focus = GetFocus();

    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, OnAlert,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    g_alerts = 0;
    MicNoticeWindow notice(GetModuleHandleW(nullptr));
    EXPECT_FALSE(notice.Shown());
    const RECT icon{4, 24, 20, 40};
    notice.Show(u"Microphone muted", nullptr, SystemColours{}, &icon);
    ASSERT_TRUE(notice.Shown());
    HWND window = notice.Handle();
    EXPECT_EQ(GetForegroundWindow(), foreground);
    EXPECT_EQ(GetFocus(), focus);
    const LONG_PTR ex = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_STREQ(title, L"Microphone muted");
    RECT bounds{}, work{};
    GetWindowRect(window, &bounds);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GE(bounds.left, work.left);
    EXPECT_LE(bounds.right, work.right);
    EXPECT_GE(bounds.top, icon.bottom);  // below the icon, which sits at the top
    EXPECT_GT(bounds.right - bounds.left, bounds.bottom - bounds.top);

    // Read by a screen reader: an alert named by its text, with the text as its one child.
    IAccessible* object = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&object)),
              S_OK);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    EXPECT_EQ(object->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_ALERT);
    BSTR name = nullptr;
    EXPECT_EQ(object->get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, L"Microphone muted");
    SysFreeString(name);
    long children = 0;
    EXPECT_EQ(object->get_accChildCount(&children), S_OK);
    EXPECT_EQ(children, 1);
    object->Release();
    EXPECT_TRUE(PumpUntil([] { return g_alerts > 0; }, 5000));
    EXPECT_EQ(g_alertWindow, window);

    // A second change while it is shown: its text, told again.
    notice.Show(u"Microphone on", nullptr, SystemColours{}, nullptr);
    GetWindowTextW(window, title, 64);
    EXPECT_STREQ(title, L"Microphone on");
    EXPECT_TRUE(PumpUntil([] { return g_alerts > 1; }, 5000));
    // In high contrast: the system's window colour inside, its text colour at the edge.
    SystemColours contrast;
    contrast.highContrast = true;
    contrast.colour[kSysWindow] = RGB(255, 255, 0);
    contrast.colour[kSysWindowText] = RGB(0, 0, 255);
    const auto pixelAt = [&](int x, int y) {
        UpdateWindow(window);
        HDC dc = GetDC(window);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return colour;
    };
    EXPECT_EQ(pixelAt(3, 3), RGB(38, 42, 48));
    notice.Show(u"Microphone on", nullptr, contrast, nullptr);
    EXPECT_EQ(pixelAt(3, 3), RGB(255, 255, 0));
    EXPECT_EQ(pixelAt(0, 3), RGB(0, 0, 255));
    // Gone after its time (bounded wait, not a timing check).
    EXPECT_TRUE(PumpUntil([&] { return !notice.Shown(); }, 10000));
    EXPECT_EQ(GetForegroundWindow(), foreground);
    UnhookWinEvent(hook);
}

}  // namespace
