// MainForm_Frame.rgn: what is passed on to the window, and what is not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DebugTrace.h"
#include "PanelError.h"
#include "RegionFile.h"
#include "TestFiles.h"

namespace {

void Put(std::string& out, int32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
}

// Header announcing count rectangles, then the rectangles given.
std::string Region(uint32_t count, const std::vector<RegionRect>& rects, int32_t right = 800,
                   int32_t bottom = 500) {
    std::string out;
    for (int32_t v : {32, 1, static_cast<int32_t>(count), static_cast<int32_t>(16 * count), 0, 0,
                      right, bottom})
        Put(out, v);
    for (const RegionRect& r : rects) {
        for (int32_t v : {r.left, r.top, r.right, r.bottom})
            Put(out, v);
    }
    return out;
}

std::vector<uint8_t> Bytes(const std::string& s) {
    return std::vector<uint8_t>(s.begin(), s.end());
}

class FakeWindow : public IWindowHost {
public:
    void ShowMessage(const std::u16string&, const std::u16string&, MessageIcon) override {}
    void BeginWindowDrag() override {}
    void CloseMainWindow() override {}
    void Minimize() override {}
    void HideToTray() override {}
    void ProcessPendingMessages() override {}
    bool SetWindowRegion(const std::vector<uint8_t>& data) override {
        region = data;
        ++regions;
        return true;
    }
    void SetWindowSize(int w, int h) override {
        width = w;
        height = h;
    }
    void SetClientSize(int, int) override {}

    std::vector<uint8_t> region;
    int regions = 0;
    int width = -1;
    int height = -1;
};

TEST(RegionFile, ParsesOnlyWhatTheDataHolds) {
    const RegionRect a{0, 0, 800, 20}, b{-5, 20, 795, 500};
    const std::string whole = Region(2, {a, b});
    const struct {
        const char* name;
        std::string data;
        bool header;
        bool complete;
        size_t rects;
    } cases[] = {
        {"empty", "", false, false, 0},
        {"31 bytes", whole.substr(0, 31), false, false, 0},
        {"header only, two announced", whole.substr(0, 32), true, false, 0},
        {"one and a half rectangles", whole.substr(0, 32 + 24), true, false, 0},
        {"count beyond any file", Region(0xFFFFFFFFu, {a}), true, false, 0},
        {"no rectangles", Region(0, {}), true, true, 0},
        {"whole", whole, true, true, 2},
        {"trailing bytes", whole + "xyz", true, true, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RegionFile region = ParseRegion(Bytes(c.data));
        EXPECT_EQ(region.hasHeader, c.header);
        EXPECT_EQ(region.complete, c.complete);
        EXPECT_EQ(region.rects.size(), c.rects);
        EXPECT_EQ(region.problem.empty(), c.complete);
    }
    const RegionFile region = ParseRegion(Bytes(whole));
    EXPECT_EQ(region.boundsRight, 800);
    EXPECT_EQ(region.rects[1].left, -5);
    EXPECT_EQ(region.rects[1].bottom, 500);
}

TEST(RegionFile, ApplyPassesWholeFilesOnAndTracesTheRest) {
    TempFolder folder;
    std::vector<std::u16string> trace;
    SetDebugOutputSink([&](const std::u16string& line) { trace.push_back(line); });

    const std::string whole = Region(1, {{0, 0, 800, 500}});
    FakeWindow window;
    EXPECT_TRUE(ApplyRegionFile(window, folder.Write(u"Whole.rgn", whole)));
    EXPECT_EQ(window.width, 800);
    EXPECT_EQ(window.height, 500);
    EXPECT_EQ(window.region, Bytes(whole));
    EXPECT_TRUE(trace.empty());

    FakeWindow cut;
    const std::u16string path = folder.Write(u"Cut.rgn", whole.substr(0, 40));
    EXPECT_FALSE(ApplyRegionFile(cut, path));
    EXPECT_EQ(cut.regions, 0);
    EXPECT_EQ(cut.width, 800);  // the header is whole
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_NE(trace[0].find(path), std::u16string::npos);
    EXPECT_EQ(trace[0].rfind(u"*****", 0), 0u);

    FakeWindow none;
    EXPECT_FALSE(ApplyRegionFile(none, folder.Write(u"Short.rgn", "abc")));
    EXPECT_EQ(none.width, -1);
    EXPECT_EQ(trace.size(), 2u);
    SetDebugOutputSink(nullptr);

    EXPECT_THROW(ApplyRegionFile(none, folder.File(u"Missing.rgn")), PanelError);
}

}  // namespace
