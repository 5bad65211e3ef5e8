// SharedAssets: the bitmap fonts, scroll pieces, rope picture, image fonts and interface sounds
// that every screen shares, loaded once at start-up.
#pragma once

namespace vsm {

// Ids in the shared container `data` of the pieces loaded here.
constexpr int DATA_SCROLL_TOP = 2001;    // handle (175, 55)
constexpr int DATA_SCROLL_MIDDLE = 2002; // handle at its centre
constexpr int DATA_SCROLL_BOTTOM = 2003; // handle (175, 0)
constexpr int DATA_FONT_TITLE_28 = 4000; // "OldLondon" at 28 pixels
constexpr int DATA_FONT_TITLE_40 = 4001;
constexpr int DATA_FONT_TITLE_24 = 4002;
constexpr int DATA_FONT_TITLE_22 = 4003;
constexpr int DATA_FONT_TITLE_16 = 4004;
constexpr int DATA_FONT_CAPITALS_16 = 4005; // "Lombardic" at 16 pixels
constexpr int DATA_ROPE = 5000;

// Fills `fonts` with the two bitmap fonts, adds the scroll pieces, image fonts and rope picture
// to `data` and loads the interface sound bank `globalSnd`, all from bDir. A file that fails to
// load leaves its slot empty (a font strip gives a font of only the blank); nothing is retried.
void LoadSharedAssets();

// The steps of LoadSharedAssets, for a loader that must put other pictures between them.
// Fills `fonts` with the two bitmap fonts.
void LoadSharedBitmapFonts();
// Adds the scroll pieces, the image fonts and the rope picture to `data`.
void LoadSharedScrollsAndFonts();

} // namespace vsm
