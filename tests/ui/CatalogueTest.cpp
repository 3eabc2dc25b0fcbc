// The main window's controls as built from the catalogue: order, parents, tags, design looks,
// and which control a point reaches.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ControlTags.h"
#include "Scene.h"

namespace {

int IndexOf(const Scene& scene, const std::string& name) {
    const auto& controls = scene.Controls();
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TEST(Catalogue, ControlsPerParentAndCreationOrder) {
    Scene scene;
    std::map<Parent, int> perParent;
    for (const Control& c : scene.Controls()) {
        ++perParent[c.parent];
    }
    EXPECT_EQ(scene.Controls().size(), 170u);
    EXPECT_EQ(perParent[Parent::Window], 29);
    EXPECT_EQ(perParent[Parent::EQPanel], 46);
    EXPECT_EQ(perParent[Parent::D3Panel], 41);
    EXPECT_EQ(perParent[Parent::EffectPanel], 16);
    EXPECT_EQ(perParent[Parent::MicPanel], 15);
    EXPECT_EQ(perParent[Parent::VirtualPanel], 18);
    EXPECT_EQ(scene.Controls().front().name, "MainFormImage");
    EXPECT_EQ(scene.Controls().back().name, "VirtualCounterclockwiseLabel");

    // The EQ sliders were created out of band order; the search by tag does not care.
    const char* sliders[] = {"EQ60HzSliderImage", "EQ300HzSliderImage", "EQ3600HzSliderImage",
                             "EQ1200HzSliderImage", "EQ12000HzSliderImage"};
    for (int i = 1; i < 5; ++i) {
        EXPECT_LT(IndexOf(scene, sliders[i - 1]), IndexOf(scene, sliders[i])) << sliders[i];
    }
    // Effect buttons left to right, each below its label of the same tag.
    const char* effects[][2] = {{"EffectButtonNonImage", "EffectNonLabel"},
                                {"EffectButtonTheaterImage", "EffectTheaterLabel"},
                                {"EffectButtonBathroomImage", "EffectBathroomLabel"},
                                {"EffectButtonLivingroomImage", "EffectLivingroomLabel"},
                                {"EffectButtonStoneGalleryImage", "EffectStoneGalleryLabel"}};
    for (int e = 0; e < 5; ++e) {
        const Control* image = scene.Find(effects[e][0]);
        const Control* label = scene.Find(effects[e][1]);
        ASSERT_TRUE(image && label);
        EXPECT_EQ(image->tag, 16 + e);
        EXPECT_EQ(label->tag, 16 + e);
        EXPECT_LT(IndexOf(scene, effects[e][0]), IndexOf(scene, effects[e][1]));
        if (e > 0) {
            EXPECT_LT(scene.Find(effects[e - 1][0])->bounds.left, image->bounds.left);
        }
    }
}

TEST(Catalogue, TagsAreUniquePerKindAndBarsFollowTheirSliders) {
    Scene scene;
    std::set<std::pair<Kind, int>> seen;
    for (const Control& c : scene.Controls()) {
        if (c.tag != 0) {
            EXPECT_TRUE(seen.insert({c.kind, c.tag}).second) << c.name;
        }
        if (c.tag > 100) {
            const Control* slider = scene.FindImageByTag(c.tag - 100);
            ASSERT_NE(slider, nullptr) << c.name;
            EXPECT_EQ(slider->parent, c.parent) << c.name;
        }
    }
    EXPECT_EQ(seen.count({Kind::Image, 138}), 1u);
}

// What a role needs is in its row, so a new row that lacks it fails here, not when pressed.
TEST(Catalogue, EachRowHoldsWhatItsRoleNeeds) {
    std::set<std::string> names;
    std::vector<std::pair<int32_t PanelState::*, int32_t>> selected;
    for (size_t i = 0; i < kCatalogueSize; ++i) {
        const CatalogueRow& row = kCatalogue[i];
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(names.insert(row.name).second);
        switch (row.role) {
            case Role::PushButton:
            case Role::Toggle:
            case Role::ToggleLook:
            case Role::Selector:
                EXPECT_EQ(row.keySource, Keys::Skin);
                EXPECT_EQ(KeyCount(row), 2u);  // Up, Down
                EXPECT_TRUE(row.role == Role::PushButton || row.state.member);
                if (row.role == Role::Selector) {
                    const std::pair<int32_t PanelState::*, int32_t> value{row.state.member,
                                                                          row.state.value};
                    EXPECT_EQ(std::find(selected.begin(), selected.end(), value), selected.end());
                    selected.push_back(value);
                }
                break;
            case Role::ModeButton:
                EXPECT_TRUE(row.state.member);
                EXPECT_GE(KeyCount(row), 2u);
                break;
            case Role::Slider:
                EXPECT_NE(row.slider, nullptr);
                break;
            case Role::SliderBar: {
                const CatalogueRow* slider = ImageRowOf(row.tag - kBarTagOffset);
                ASSERT_NE(slider, nullptr);
                EXPECT_EQ(slider->role, Role::Slider);
                EXPECT_EQ(slider->parent, row.parent);
                break;
            }
            case Role::Caption:
                if (row.tag != TAG_NONE) {
                    const CatalogueRow* button = ImageRowOf(row.tag);
                    ASSERT_NE(button, nullptr);
                    EXPECT_NE(Scene().Find(button->name)->handler, Handler::None);
                } else {
                    EXPECT_TRUE(row.state.member);  // no button to follow: its own state
                }
                break;
            default:
                break;
        }
        EXPECT_EQ(row.keySource == Keys::None, KeyCount(row) == 0u);
    }
}

TEST(Catalogue, PagesAndPanels) {
    Scene scene;
    const char* panels[] = {"EQPanel", "D3Panel", "EffectPanel", "MicPanel", "Virtual7p1Panel"};
    const std::u16string names[] = {u"EQ", u"3D", u"Effect", u"Mic", u"Virtual7.1"};
    for (int page = 0; page < kPageCount; ++page) {
        EXPECT_EQ(scene.PagePanel(page).name, panels[page]);
        EXPECT_EQ(kPageNames[page], names[page]);
        EXPECT_EQ(PageOf(scene.PagePanel(page).parent), page);
    }
    EXPECT_EQ(scene.Page(), 0);
    // Panel controls sit at the notebook's origin.
    const Point origin = scene.ParentOrigin(*scene.Find("EQS1Image"));
    EXPECT_EQ(origin.x, 392);
    EXPECT_EQ(origin.y, 104);
}

TEST(Catalogue, DesignLooks) {
    Scene scene;
    struct Case {
        const char* name;
        bool visible, enabled;
        Rect bounds;
    } cases[] = {
        {"Page3DLabel", false, false, {445, 416, 16, 16}},
        {"Bevel1", false, true, {425, 416, 8, 17}},
        {"SyncImage", false, true, {496, 446, 22, 21}},
        {"EQEQENLabel", true, true, {-5, 5, 121, 16}},
        {"VirtualPicImage", true, true, {0, 25, 371, 271}},
        {"EQ60HzValueLabel", false, true, {78, 70, 7, 16}},
    };
    for (const Case& c : cases) {
        const Control& control = *scene.Find(c.name);
        EXPECT_EQ(control.visible, c.visible) << c.name;
        EXPECT_EQ(control.enabled, c.enabled) << c.name;
        EXPECT_EQ(control.bounds.left, c.bounds.left) << c.name;
        EXPECT_EQ(control.bounds.top, c.bounds.top) << c.name;
        EXPECT_EQ(control.bounds.width, c.bounds.width) << c.name;
        EXPECT_EQ(control.bounds.height, c.bounds.height) << c.name;
    }
    const Control& sync = *scene.Find("SyncLabel");
    EXPECT_EQ(sync.align, Align::Right);
    EXPECT_TRUE(sync.fixedSize);
    EXPECT_EQ(sync.colour, kColorInactiveCaption);
    const Control& company = *scene.Find("CompanyNameLabel");
    EXPECT_EQ(company.font.face, u"Consolas");
    EXPECT_EQ(company.font.heightPx, 24);
    EXPECT_TRUE(company.font.bold);
    EXPECT_EQ(company.colour, kColorWhite);
    EXPECT_EQ(scene.Find("EQS2Label")->colour, 0xF4F9A8);
    EXPECT_TRUE(scene.Find("Menu1Image")->autoSize);
    EXPECT_FALSE(scene.Find("Menu2Image")->autoSize);
    EXPECT_TRUE(scene.Find("Bevel2")->rightEdge);
    EXPECT_EQ(scene.Find("D3LBetaLabel")->caption, u"\u03B2");
    EXPECT_EQ(scene.Find("D3RAlphaLabel")->caption, u"\u03B1");
    EXPECT_EQ(scene.Find("MicValueLabel")->caption, u"0");
    EXPECT_EQ(scene.Find("D3LAlphaValueLabel")->caption, u"0");
}

TEST(Catalogue, FindByTagSearchesFromTheLastCreated) {
    Scene scene;
    struct Case {
        Kind kind;
        int tag;
        const char* expected;  // null: none
    } cases[] = {
        {Kind::Image, 0, "VirtualPicImage"},  {Kind::Label, 0, "MicGainLabel"},
        {Kind::Label, 38, "MicValueLabel"},   {Kind::Image, 38, "MicSliderImage"},
        {Kind::Image, 129, "EQ60HzBarImage"}, {Kind::Label, 28, "SyncLabel"},
        {Kind::Image, 23, nullptr},           {Kind::Label, 51, nullptr},
        {Kind::Image, 99, nullptr},
    };
    for (const Case& c : cases) {
        const Control* found =
            c.kind == Kind::Image ? scene.FindImageByTag(c.tag) : scene.FindLabelByTag(c.tag);
        if (!c.expected) {
            EXPECT_EQ(found, nullptr) << c.tag;
        } else {
            ASSERT_NE(found, nullptr) << c.tag;
            EXPECT_EQ(found->name, c.expected);
        }
    }
}

// Window points of the default layout; the notebook starts at (392, 104).
TEST(Catalogue, WindowHitTestFindsTheTopmostEnabledControl) {
    struct Case {
        int page;
        Point at;
        const char* expected;  // null: the window or a panel itself
    } cases[] = {
        {0, {392 + 40, 104 + 40}, "EQS1Label"},        // label lies on its image
        {0, {392 + 40, 104 + 52}, "EQS1Image"},        // below the label, image only
        {0, {450, 420}, "MainFormImage"},              // disabled 3D tab: the background below
        {0, {405, 420}, "PageEQLabel"},                //
        {0, {392 + 80, 104 + 150}, "EQ60HzBarImage"},  // slider elsewhere
        {0, {392 + 364, 104 + 291}, "Back_EQImage"},   // panel's last pixel
        {1, {392 + 160, 104 + 160}, "D3AlphaImage"},   //
        {3, {392 + 300, 104 + 240}, "MicSliderImage"},
        {0, {500, 450}, "MainFormImage"},  // Sync is hidden until the language shows it
        {0, {810, 10}, nullptr},           // outside every control
    };
    for (const Case& c : cases) {
        Scene scene;
        scene.SetPage(c.page);
        const Control* hit = scene.HitTestWindow(c.at);
        if (!c.expected) {
            EXPECT_EQ(hit, nullptr);
        } else {
            ASSERT_NE(hit, nullptr) << c.expected;
            EXPECT_EQ(hit->name, c.expected);
        }
    }
}

TEST(Catalogue, PageHitTestIncludesDisabledButNotHiddenControls) {
    Scene scene;
    const Point onSlider{62 + 20, 216 + 20};  // EQ60HzSliderImage, panel coordinates
    scene.Find("EQ60HzSliderImage")->enabled = false;
    ASSERT_NE(scene.HitTestPage(onSlider), nullptr);
    EXPECT_EQ(scene.HitTestPage(onSlider)->name, "EQ60HzSliderImage");
    EXPECT_EQ(scene.HitTestWindow({392 + onSlider.x, 104 + onSlider.y})->name, "EQ60HzBarImage");

    // The hidden value picture above the bar is not hit.
    EXPECT_EQ(scene.HitTestPage({67 + 5, 66 + 20})->name, "EQ60HzBarImage");
    // Outside the panel nothing is, whatever a child's bounds say.
    EXPECT_EQ(scene.HitTestPage({-1, 10}), nullptr);
    EXPECT_EQ(scene.HitTestPage({10, 292}), nullptr);
}

}  // namespace

namespace {

TEST(Catalogue, SkinGeometryMovesTheNotebookAndSizesThePanels) {
    Scene scene;
    scene.SetNotebookBounds({300, 90, 400, 320});
    scene.SetPanelSize(PAGE_MIC, {400, 320});
    scene.SetPage(PAGE_MIC);
    EXPECT_EQ(scene.PagePanel(PAGE_MIC).bounds.width, 400);
    EXPECT_EQ(scene.PagePanel(PAGE_EQ).bounds.width, 365);
    // MicSliderImage (289, 224) now lies at window (589, 314); the panel reaches x 699.
    EXPECT_EQ(scene.HitTestWindow({589 + 25, 314 + 5})->name, "MicSliderImage");
    EXPECT_EQ(scene.HitTestPage({380, 300}), nullptr);  // no control there, inside the panel
    EXPECT_EQ(scene.HitTestWindow({698, 400}), nullptr);
}

}  // namespace
