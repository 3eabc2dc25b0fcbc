// The window's size, place and shape through a change of density.
#include <gtest/gtest.h>

#include <windows.h>

#include "WindowScaler.h"

namespace {

std::vector<uint8_t> Region(std::initializer_list<int32_t> words) {
    std::vector<uint8_t> data;
    for (int32_t w : words) {
        for (int i = 0; i < 4; ++i) {
            data.push_back(static_cast<uint8_t>(static_cast<uint32_t>(w) >> (8 * i)));
        }
    }
    return data;
}

class WindowScalerTest : public ::testing::Test {
protected:
    WindowScalerTest() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"WindowScalerTest";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, L"WindowScalerTest", L"", WS_POPUP, 40, 30, 10, 10, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~WindowScalerTest() override {
        if (window) {
            DestroyWindow(window);
        }
    }
    RECT Place() const {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    bool Shows(int x, int y) const {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        const bool shows = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
        DeleteObject(region);
        return shows;
    }

    HWND window = nullptr;
    WindowScaler scaler;
};

TEST_F(WindowScalerTest, SizeAndShapeFollowTheDensity) {
    if (!window) {
        GTEST_SKIP() << "no window without a display";
    }
    scaler.Attach(window);
    scaler.DpiChanged(96, nullptr);
    scaler.SetSize({800, 500});
    // A notch of 10 pixels at both ends of the top row.
    ASSERT_TRUE(
        scaler.SetRegion(Region({32, 1, 2, 32, 0, 0, 800, 500, 10, 0, 790, 1, 0, 1, 800, 500})));
    EXPECT_EQ(Place().right - Place().left, 800);
    EXPECT_FALSE(Shows(9, 0));
    EXPECT_TRUE(Shows(10, 0));

    const RECT suggested{300, 200, 1500, 950};
    scaler.DpiChanged(144, &suggested);
    EXPECT_EQ(scaler.Scale().Dpi(), 144);
    const RECT at144 = Place();
    EXPECT_EQ(at144.left, 300);
    EXPECT_EQ(at144.top, 200);
    EXPECT_EQ(at144.right - at144.left, 1200);
    EXPECT_EQ(at144.bottom - at144.top, 750);
    const struct {
        int x, y;
        bool shows;
    } points[] = {{14, 0, false},   {14, 1, false}, {15, 0, true},     {1184, 1, true},
                  {1185, 1, false}, {14, 2, true},  {1199, 749, true}, {1200, 100, false}};
    for (const auto& p : points) {
        EXPECT_EQ(Shows(p.x, p.y), p.shows) << p.x << "," << p.y;
    }

    // No suggestion: the window stays where it is.
    scaler.DpiChanged(192, nullptr);
    const RECT at192 = Place();
    EXPECT_EQ(at192.left, 300);
    EXPECT_EQ(at192.right - at192.left, 1600);
    EXPECT_EQ(at192.bottom - at192.top, 1000);
    EXPECT_TRUE(Shows(1599, 999));
    EXPECT_FALSE(Shows(19, 1));

    // A region that cannot be made leaves the window without a shape, at any density.
    EXPECT_FALSE(scaler.SetRegion({}));
    EXPECT_FALSE(Shows(500, 500));
    scaler.DpiChanged(96, nullptr);
    EXPECT_EQ(Place().right - Place().left, 800);
}

}  // namespace
