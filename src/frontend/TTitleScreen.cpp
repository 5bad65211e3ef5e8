// TTitleScreen: the record, its pictures and the title song.
#include "frontend/TTitleScreen.h"

#include "data/ImageLoaders.h"
#include "overlays/TOptionsWindow.h"
#include "services/Paths.h"
#include "services/TSongManager.h"
#include "widgets/TContainer.h"

namespace vsm {

TTitleScreen titleScreen;

int TTitleScreen::loadGfx() {
    ramka2 = LoadImage(LoadJPEG2000(bDir + "gfx/gui/pod-selector.jp2"));
    papirus = LoadImage(bDir + "gfx/title/papi_maly.png", 0);
    papirus2 = LoadImage(bDir + "gfx/title/papi_duzy.png", 0);
    title = LoadImage(bDir + "gfx/title/title-main.jpg", 0);
    hiscores = LoadImage(bDir + "gfx/title/hiscores.jpg", 0);
    credits = LoadImage(bDir + "gfx/title/credits.jpg", 0);
    optionsWindow.ramka2 = ramka2;
    optionsWindow.papirus = papirus;
    optionsWindow.papirus2 = papirus2;
    data.Remove(DATA_TITLE_BACKGROUND);
    if (title) data.Add(title, DATA_TITLE_BACKGROUND);
    return 0;
}

int TTitleScreen::Prepare() {
    alphaOne = 0.0f;
    alphaTwo = 0.0f;
    activeScreen = 0;
    quit = 0;
    action = 0;
    pendingClick = 0;
    pendingClickState = 0;
    return 0;
}

int TTitleScreen::stopMusic() {
    Playing = 0;
    if (music) {
        music->stop();
        music->free();
        music = nullptr;
    }
    return 0;
}

int TTitleScreen::playMusic() {
    if (Playing == 0) music = playMusicStream("sfx/glyndra-song.ogg", 1, 1.0f);
    Playing = 1;
    return 0;
}

} // namespace vsm
