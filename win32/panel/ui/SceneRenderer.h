// Paints the main window's scene through an off-screen buffer: the window's own controls, then
// the page on show above them (the notebook lies over the window's controls), each parent's
// controls in creation order. Pictures come decoded from the cache and text in the fonts it was
// measured with, so a paint only blits. The scene is in design pixels; on a denser screen every
// control is drawn at its edges mapped to the screen, pictures resampled smoothly (stretched
// ones keep hard edges) and text in fonts of the screen's density. The focus indicator goes on
// top of everything; in high contrast labels take the system's colours.
#pragma once

#include <windows.h>

#include <vector>

#include "Colours.h"
#include "FontCache.h"
#include "GdiHandles.h"
#include "OffscreenBuffer.h"
#include "PicturesWin32.h"
#include "ScaledPictures.h"
#include "Scene.h"
#include "SceneDiff.h"
#include "ScreenScale.h"

// The window's face where no picture covers it.
constexpr COLORREF kWindowFace = RGB(0xF0, 0xF0, 0xF0);

class SceneRenderer {
public:
    SceneRenderer(PicturesWin32& pictures, FontCache& fonts, COLORREF background = kWindowFace);

    void SetScale(const ScreenScale& scale) { scale_ = scale; }
    const ScreenScale& Scale() const { return scale_; }

    // The focus indicator around control (null: none), a control of the scene painted. The host
    // repaints FocusRingRect where it was and where it is.
    void SetFocusIndicator(const Control* control) { focus_ = control; }
    // The system's colours and whether the user asked for high contrast.
    void SetColours(const SystemColours& colours) { colours_ = colours; }
    const SystemColours& Colours() const { return colours_; }

    // Paints the window inside clip (screen pixels of the client area) onto target, whose client
    // area has the given size; pixels of the target outside clip are left alone. With a region
    // (client pixels, such as the window's update region) only its inside is painted; the target
    // must be clipped to it too, as a paint's DC is.
    void Paint(const Scene& scene, HDC target, const RECT& clip, Size client,
               HRGN region = nullptr);

    // While controls of this role move over still pictures (the rotating speakers), what lies
    // under them on their page is composed once, and a paint inside that page copies it and
    // draws only what lies from the first moving control up. Role::None lets it go.
    void SetMoving(Role role);

    // Lets go of the back buffer, the composed underlay and the resampled pictures; the next
    // paint makes them again.
    void Release();

private:
    // What lies under the moving controls, kept while it stays as it was composed.
    struct Underlay {
        OffscreenBuffer buffer;
        bool ready = false;
        Rect area;  // on the screen: the moving controls' page
        int dpi = 0;
        const Control* first = nullptr;  // the first moving control in paint order
        SystemColours colours;
        std::vector<PaintedState> below;  // every control painted before first, as composed
    };
    // The underlay for this scene, composed anew when anything below the moving controls
    // changed; null when no moving control is painted.
    const Underlay* PrepareUnderlay(const Scene& scene, HDC like, const Rect& client);

    // bounds and area are on the screen; design is the control's window bounds.
    void PaintControl(const Scene& scene, const Control& control, HDC dc, const Rect& clip);
    void PaintImage(const Control& control, const Rect& design, const Rect& bounds,
                    const Rect& area, HDC dc);
    // The picture's own memory DC (made on first use) with dib or keyed in it.
    static HDC SourceDc(const DecodedPicture& picture, bool keyed, HDC like);
    void PaintLabel(const Control& control, const Rect& bounds, const Rect& area, HDC dc);
    void PaintLine(const Control& control, const Rect& design, const Rect& area, HDC dc);
    void PaintFocusRing(const Scene& scene, const Rect& area, HDC dc);

    PicturesWin32& pictures_;
    FontCache& fonts_;
    COLORREF background_;
    OffscreenBuffer buffer_;
    HRGN region_ = nullptr;  // during a paint
    ScreenScale scale_;
    ScaledPictures scaled_;
    Role moving_ = Role::None;
    Underlay underlay_;
    PaintedState scratch_;
    const Control* focus_ = nullptr;
    SystemColours colours_;
};
