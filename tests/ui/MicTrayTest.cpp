// The microphone's state in the notification area: what the tray shows and when a notice tells of
// a change, the texts in the chosen language, the muted mark's pixels and where the notice goes.
#include <gtest/gtest.h>

#include <string>

#include "MicStateTexts.h"
#include "MicTrayState.h"
#include "MutedBadge.h"
#include "NoticePlacement.h"
#include "TestFiles.h"

namespace {

const std::u16string kHint = u"QLN47xx Audio Panel";
const std::u16string kMutedTip = u"QLN47xx Audio Panel \u2013 Microphone muted";

constexpr InputOrigin kOwn = InputOrigin::OwnWindow;
constexpr InputOrigin kElsewhere = InputOrigin::Elsewhere;

// A tray that has shown `before` (headset there), then sees `after` from `origin`.
MicTrayUpdate After(bool before, bool after, InputOrigin origin) {
    MicTrayState tray;
    const MicStateTexts texts;
    tray.Follow({true, before, kElsewhere}, kHint, texts);
    return tray.Follow({true, after, origin}, kHint, texts);
}

TEST(MicTrayState, FollowsEveryChangeAndTellsOnlyThoseFromElsewhere) {
    struct Case {
        InputOrigin origin;
        bool before, after;
        bool trayChanged, mutedIcon;
        const std::u16string* tooltip;
        const char16_t* notice;  // null: none
    };
    const Case cases[] = {
        {kElsewhere, false, true, true, true, &kMutedTip, u"Microphone muted"},
        {kElsewhere, true, false, true, false, &kHint, u"Microphone on"},
        {kOwn, false, true, true, true, &kMutedTip, nullptr},
        {kOwn, true, false, true, false, &kHint, nullptr},
        {kElsewhere, true, true, false, true, &kMutedTip, nullptr},
        {kElsewhere, false, false, false, false, &kHint, nullptr},
        {kOwn, true, true, false, true, &kMutedTip, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.origin == kOwn ? "own input " : "elsewhere ")
                                        << c.before << " -> " << c.after);
        const MicTrayUpdate update = After(c.before, c.after, c.origin);
        EXPECT_EQ(update.trayChanged, c.trayChanged);
        EXPECT_EQ(update.look.muted, c.mutedIcon);
        EXPECT_EQ(update.look.tooltip, *c.tooltip);
        EXPECT_EQ(update.notice, c.notice != nullptr);
        EXPECT_EQ(update.noticeText, c.notice ? c.notice : u"");
    }
}

TEST(MicTrayState, StartAndTheHeadsetComingOrGoingChangeTheIconWithoutANotice) {
    const MicStateTexts texts;
    {
        // Started unmuted: the tray keeps what it was given, not even the same icon again.
        MicTrayState tray;
        EXPECT_FALSE(tray.Follow({true, false, kElsewhere}, kHint, texts).trayChanged);
        EXPECT_FALSE(tray.Follow({false, true, kElsewhere}, kHint, texts).trayChanged);
    }
    MicTrayState tray;
    // Started with the microphone muted: shown at once, nothing told.
    MicTrayUpdate update = tray.Follow({true, true, kElsewhere}, kHint, texts);
    EXPECT_TRUE(update.trayChanged);
    EXPECT_TRUE(update.look.muted);
    EXPECT_FALSE(update.notice);
    // Unplugged: no microphone to be muted; its mute as last shown stays in the state.
    update = tray.Follow({false, true, kElsewhere}, kHint, texts);
    EXPECT_TRUE(update.trayChanged);
    EXPECT_FALSE(update.look.muted);
    EXPECT_EQ(update.look.tooltip, kHint);
    EXPECT_FALSE(update.notice);
    // Plugged in again, unmuted meanwhile elsewhere: not a change the user made here and now.
    update = tray.Follow({true, false, kElsewhere}, kHint, texts);
    EXPECT_FALSE(update.trayChanged);
    EXPECT_FALSE(update.notice);
    update = tray.Follow({true, true, kElsewhere}, kHint, texts);
    EXPECT_TRUE(update.notice);
}

TEST(MicTrayState, TheTooltipFollowsTheLanguageAndAnEmptyHint) {
    MicTrayState tray;
    MicStateTexts german;
    german.muted = u"Mikrofon stumm";
    german.on = u"Mikrofon an";
    tray.Follow({true, true, kElsewhere}, kHint, MicStateTexts{});
    const MicTrayUpdate update = tray.Follow({true, true, kElsewhere}, kHint, german);
    EXPECT_TRUE(update.trayChanged);
    EXPECT_EQ(update.look.tooltip, u"QLN47xx Audio Panel \u2013 Mikrofon stumm");
    EXPECT_FALSE(update.notice);

    EXPECT_EQ(MicTooltip(true, u"", german), u"Mikrofon stumm");
    // The shell keeps 127 characters.
    const std::u16string longHint(200, u'x');
    EXPECT_EQ(MicTooltip(true, longHint, german).size(), kTrayTooltipLength);
    EXPECT_EQ(MicTooltip(false, longHint, german).size(), kTrayTooltipLength);
}

TEST(MicStateTexts, TheLanguageFileOrTheBuiltInEnglish) {
    TempFolder folder;
    const std::u16string french =
        folder.Write(u"French.ini", AsUtf16(u"[MicState]\r\nMuted=Micro coup\u00e9\r\n"
                                            u"On=Micro activ\u00e9\r\n",
                                            false));
    const std::u16string partial =
        folder.Write(u"Partial.ini", AsUtf16(u"[MicState]\r\nMuted=\r\nOn=Mic an\r\n", false));
    const std::u16string none = folder.Write(u"None.ini", "[Main]\r\nLabelMenu1=Save\r\n");

    MicStateTexts texts;
    texts.Load(PlatformProfileStrings(), french);
    EXPECT_EQ(texts.muted, u"Micro coup\u00e9");
    EXPECT_EQ(texts.on, u"Micro activ\u00e9");
    // Another language without the keys: English again, not the French left over.
    texts.Load(PlatformProfileStrings(), none);
    EXPECT_EQ(texts.muted, u"Microphone muted");
    EXPECT_EQ(texts.on, u"Microphone on");
    texts.Load(PlatformProfileStrings(), partial);
    EXPECT_EQ(texts.muted, u"Microphone muted");
    EXPECT_EQ(texts.on, u"Mic an");
}

ArgbImage Filled(int size, uint32_t argb) {
    ArgbImage image;
    image.width = image.height = size;
    image.pixels.assign(static_cast<size_t>(size * size), argb);
    return image;
}

uint32_t Red(uint32_t argb) {
    return (argb >> 16) & 0xFF;
}
uint32_t Green(uint32_t argb) {
    return (argb >> 8) & 0xFF;
}
uint32_t Alpha(uint32_t argb) {
    return argb >> 24;
}

TEST(MutedBadge, DrawnInTheCornerAtEachSizeTheRestUnchanged) {
    for (const int size : {16, 20, 24, 32, 48}) {
        SCOPED_TRACE(size);
        for (const uint32_t base : {0xFF2060C0u, 0x00000000u, 0x80FFFFFFu}) {
            const ArgbImage before = Filled(size, base);
            ArgbImage image = before;
            DrawMutedBadge(image);
            const Rect badge = MutedBadgeRect(size, size);
            EXPECT_EQ(badge.left + badge.width, size);
            EXPECT_EQ(badge.top + badge.height, size);
            EXPECT_GE(badge.width, 7);
            EXPECT_LE(badge.width, size * 5 / 8);
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    if (!badge.Contains({x, y})) {
                        ASSERT_EQ(image.At(x, y), before.At(x, y)) << x << "," << y;
                    }
                }
            }
            // The slash through the middle, red on either side of it, opaque over any icon.
            const int cx = badge.left + badge.width / 2;
            const int cy = badge.top + badge.height / 2;
            const int off = badge.width / 4;
            EXPECT_EQ(image.At(cx, cy), kMutedBadgeWhite);
            for (const Point red : {Point{cx + off, cy - off}, Point{cx - off, cy + off}}) {
                const uint32_t p = image.At(red.x, red.y);
                EXPECT_EQ(Alpha(p), 0xFFu);
                EXPECT_GT(Red(p), 0xB0u);
                EXPECT_LT(Green(p), 0x60u) << std::hex << p;
            }
            // The square's corner lies outside the disc.
            EXPECT_EQ(image.At(badge.left, badge.top), before.At(badge.left, badge.top));
        }
    }
}

TEST(MutedBadge, AnEmptyOrMalformedImageStaysAsItIs) {
    ArgbImage empty;
    DrawMutedBadge(empty);
    EXPECT_TRUE(empty.pixels.empty());
    ArgbImage shortBuffer = Filled(16, 0xFF000000);
    shortBuffer.pixels.resize(10);
    DrawMutedBadge(shortBuffer);
    EXPECT_EQ(shortBuffer.pixels, std::vector<uint32_t>(10, 0xFF000000));
}

TEST(NoticePlacement, BesideTheIconInsideTheWorkArea) {
    const Rect work{0, 0, 1280, 984};  // a taskbar of 40 pixels at the bottom
    const Size notice{200, 40};
    struct Case {
        const char* what;
        Rect work;
        Rect icon;
        bool known;
        Rect expected;
    };
    const Case cases[] = {
        {"bottom taskbar: above the icon, centred",
         work,
         {1100, 994, 20, 20},
         true,
         {1010, 984 - 8 - 40, 200, 40}},
        {"near the screen's edge: kept inside",
         work,
         {1250, 994, 20, 20},
         true,
         {1280 - 8 - 200, 984 - 8 - 40, 200, 40}},
        {"top taskbar: below the icon",
         {0, 40, 1280, 984},
         {600, 10, 20, 20},
         true,
         {510, 48, 200, 40}},
        {"the top-left tray window inside the work area",
         work,
         {4, 24, 16, 16},
         true,
         {8, 48, 200, 40}},
        {"left taskbar: to its right",
         {60, 0, 1220, 1024},
         {20, 900, 20, 20},
         true,
         {68, 890, 200, 40}},
        {"right taskbar: to its left",
         {0, 0, 1220, 1024},
         {1240, 900, 20, 20},
         true,
         {1220 - 8 - 200, 890, 200, 40}},
        {"unknown: the work area's bottom-right corner",
         work,
         {},
         false,
         {1280 - 8 - 200, 984 - 8 - 40, 200, 40}},
        {"an empty icon rectangle counts as unknown",
         work,
         {5, 5, 0, 0},
         true,
         {1280 - 8 - 200, 984 - 8 - 40, 200, 40}},
        {"larger than the work area: its top left inside",
         {0, 0, 100, 30},
         {},
         false,
         {8, 8, 200, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Rect placed = PlaceNotice(notice, c.work, c.known ? &c.icon : nullptr, 8);
        EXPECT_EQ(placed.left, c.expected.left);
        EXPECT_EQ(placed.top, c.expected.top);
        EXPECT_EQ(placed.width, notice.width);
        EXPECT_EQ(placed.height, notice.height);
    }
}

}  // namespace
