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
    LoadSharedBitmapFonts();
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

    LoadSharedScrollsAndFonts();
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
