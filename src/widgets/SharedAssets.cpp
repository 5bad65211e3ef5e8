// SharedAssets: loading the pieces every screen shares.
#include "widgets/SharedAssets.h"

#include "platform/Graphics.h"
#include "services/Paths.h"
#include "services/TGlobalSnd.h"
#include "widgets/TContainer.h"
#include "widgets/TFont.h"

namespace vsm {

void LoadSharedAssets() {
    LoadSharedBitmapFonts();
    LoadSharedScrollsAndFonts();
    globalSnd.Load();
}

void LoadSharedBitmapFonts() {
    fonts[0] = CreateFont(bDir + "gfx/fonts/alfabet-maly.png",
                          "abcdefghijklmnopqrstuvwxyz,.?-!#$*&@%()<>{}'1234567890", 30, 0);
    fonts[1] =
        CreateFont(bDir + "gfx/fonts/small-letters3.png", "abcdefghijklmnopqrstuvwxyz0123456789", 32, 3);
}

void LoadSharedScrollsAndFonts() {
    const ImagePtr top = LoadImage(bDir + "gfx/gui/scroll_01.png");
    const ImagePtr middle = LoadImage(bDir + "gfx/gui/scroll_02.png");
    const ImagePtr bottom = LoadImage(bDir + "gfx/gui/scroll_03.png");
    data.Add(top, DATA_SCROLL_TOP);
    data.Add(middle, DATA_SCROLL_MIDDLE);
    data.Add(bottom, DATA_SCROLL_BOTTOM);
    SetImageHandle(top, 175, 55);
    MidHandleImage(middle);
    SetImageHandle(bottom, 175, 0);

    const std::string title = bDir + "gfx/fonts/OldLondon.ttf";
    data.Add(LoadImageFont(title, 28, SMOOTHFONT), DATA_FONT_TITLE_28);
    data.Add(LoadImageFont(title, 40, SMOOTHFONT), DATA_FONT_TITLE_40);
    data.Add(LoadImageFont(title, 24, SMOOTHFONT), DATA_FONT_TITLE_24);
    data.Add(LoadImageFont(title, 22, SMOOTHFONT), DATA_FONT_TITLE_22);
    data.Add(LoadImageFont(title, 16, SMOOTHFONT), DATA_FONT_TITLE_16);
    data.Add(LoadImageFont(bDir + "gfx/fonts/Lombardic.ttf", 16, SMOOTHFONT), DATA_FONT_CAPITALS_16);

    data.Add(LoadImage(bDir + "gfx/gui/lina.png"), DATA_ROPE);
}

} // namespace vsm
