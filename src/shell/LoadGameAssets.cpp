// LoadGameAssets: the one loading order of the shared assets.
#include "shell/LoadGameAssets.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "frontend/TGallery.h"
#include "frontend/TTitleScreen.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "magic/TRingOfSpells.h"
#include "overlays/TOptionsWindow.h"
#include "overlays/TPopupManager.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "profiles/TProfileLoader.h"
#include "puzzle/TPuzzleManager.h"
#include "quest/TMapCore.h"
#include "ringgame/TRingGame.h"
#include "services/Paths.h"
#include "services/TCaptions.h"
#include "services/TGlobalSnd.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"
#include "widgets/SharedAssets.h"
#include "widgets/TContainer.h"
#include "widgets/TFont.h"

namespace vsm {

void LoadGameAssets(const std::function<void(int mark)>& progress) {
    const auto mark = [&](int k) {
        if (progress) progress(k);
    };

    mark(0);
    TCaptions::loadGfx();
    blocks.loadSfx();
    puzzle.loadGfx();

    mark(1);
    // The bitmap fonts come first: the menu window, the profile screen and the map take them.
    fonts[0] = CreateFont(bDir + "gfx/fonts/alfabet-maly.png",
                          "abcdefghijklmnopqrstuvwxyz,.?-!#$*&@%()<>{}'1234567890", 30, 0);
    fonts[1] =
        CreateFont(bDir + "gfx/fonts/small-letters3.png", "abcdefghijklmnopqrstuvwxyz0123456789", 32, 3);
    davar.loadDavarGfx();
    board.loadBoardGfx();
    optionsWindow.loadGfx();
    gallery.loadGfx();

    mark(2);
    points.loadGfx();
    loadSparkImage(0, "gfx/gwiazdki/gradball.png");
    loadSparkImage(1, "gfx/gwiazdki/1.png");
    loadSparkImage(2, "gfx/gwiazdki/2.png");
    loadSparkImage(3, "gfx/gwiazdki/3.png");
    // The title lends pictures to the menu window, so it loads after the window.
    titleScreen.loadGfx();
    profileLoader.Load();
    map.Load();
    bonusManagerAlt.LoadResources();
    ringGame.loadGfx();
    magicSphere.LoadResources();
    timeManager.LoadResources();
    bossManager.LoadResources();
    ringOfSpells.LoadResources();

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
    popupManager.Load();
    for (const char* song : {"sfx/glyndra-song.ogg", "sfx/davar-lost-in-vessamoor.ogg", "sfx/help2.ogg",
                             "sfx/glyndra-help.ogg", "sfx/glyndra-map.ogg"})
        songManager.loadSong(song, SOUND_LOOP);

    mark(3);
    for (const char* song :
         {"sfx/game-song-1.ogg", "sfx/game-song-5.ogg", "sfx/glyndra-puzzle.ogg", "sfx/ringo.ogg"})
        songManager.loadSong(song, SOUND_LOOP);
    board.loadSfx();
    level.loadSfx();
    globalSnd.Load();

    mark(4);
}

} // namespace vsm
