// TTutorial: the page pictures and the blocking loops of the main and boss pages.
#include "tutorial/TTutorial.h"

#include "board/TBoardManager.h"
#include "level/TLevelManager.h"
#include "level/TTimeManager.h"
#include "magic/TMagicSphere.h"
#include "platform/EndFrame.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "services/Paths.h"
#include "services/TCometEmiter.h"
#include "services/TDeltaTime.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/TRingEmiter.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"
#include "services/TVolcanoEmiter.h"
#include "tutorial/BigHelp.h"
#include "tutorial/LevelEffectsAside.h"

namespace vsm {

TTutorial tutorial;

namespace {

// The pages draw the runes' 40-pixel art; the board gets its own tile size back however the page
// ends, a program end included.
class PageTileSize {
  public:
    PageTileSize() : saved_(board.tileSize) { board.tileSize = 40; }
    ~PageTileSize() { board.tileSize = saved_; }
    PageTileSize(const PageTileSize&) = delete;
    PageTileSize& operator=(const PageTileSize&) = delete;

  private:
    int saved_;
};

constexpr int64_t FADE_MS = 250;

ImagePtr LoadPicture(const std::string& path, int flags = DEFAULT_IMAGE_FLAGS) {
    return LoadImage(bDir + path, flags);
}

// Between screens a page brings its own music; over a level the level's song plays on.
std::shared_ptr<TAudioStream> PageMusic(int flag) {
    if (flag == 0) return playMusicStream("sfx/help2.ogg", 1, 1.0f);
    return level.musicStream;
}

void StopPageMusic(const std::shared_ptr<TAudioStream>& music) {
    if (!music) return;
    music->stop();
    music->free();
}

} // namespace

int TTutorial::loadGfx() {
    bg = LoadPicture("gfx/gui/tutorial.jpg", 0);
    Play = LoadPicture("gfx/gui/tut-play2.png");
    prawy = LoadPicture("gfx/gui/tutorial_mouse.png");
    balls[0] = LoadPicture("gfx/ring/k-14.png");
    balls[1] = LoadPicture("gfx/ring/k-05.png");
    sings[0] = LoadPicture("gfx/ring/s-14.png");
    sings[1] = LoadPicture("gfx/ring/s-05.png");
    klocki[0] = LoadPicture("gfx/gui/tut-k1.png");
    klocki[1] = LoadPicture("gfx/gui/tut-k2.png");
    klocki[2] = LoadPicture("gfx/gui/tut-k3.png");
    for (auto& k : klocki)
        MidHandleImage(k);
    rightEq[0] = LoadPicture("gfx/gui/tutorial_keyb.png");
    rightEq[1] = LoadPicture("gfx/gui/tutorial_mouse_1.png");
    return 0;
}

int TTutorial::free() {
    bg = nullptr;
    Play = nullptr;
    rune = nullptr;
    prawy = nullptr;
    tmImage = nullptr;
    balls = {};
    sings = {};
    return 0;
}

int TTutorial::loadGfx2() {
    bg = LoadPicture("gfx/gui/tutorial2boss.jpg", 0);
    rune = LoadPicture("gfx/boss/b-04.png");
    Play = LoadPicture("gfx/gui/tut-play.png");
    return 0;
}

void TTutorial::_hoverPlay() {
    playO = 0;
    if (mouse.x >= 370 && mouse.x <= 433 && mouse.y > 570 && mouse.y < 594) playO = 1;
}

void TTutorial::_frame(bool boss, const std::shared_ptr<TAudioStream>& music, TMagicSphereEmiter* emiter,
                       float fadeAlpha) {
    if (music) music->update();
    mouse.fetchState(0);
    deltaTime.Update();
    delta = deltaTime.CurrDelta();
    if (boss) {
        update2();
        draw2();
    } else {
        Update();
        Draw();
    }
    if (emiter) emiter->Update();
    TSpark::UpdateAll();
    TCometEmiter::updateAll();
    TVolcanoEmiter::updateAll();
    if (!boss) TRingEmiter::UpdateAll();
    if (fadeAlpha >= 0) {
        SetBlend(ALPHABLEND);
        SetTransform(0, 1, 1);
        SetAlpha(fadeAlpha);
        SetColor(0, 0, 0);
        DrawRect(0, 0, 800, 600);
        SetColor(255, 255, 255);
        SetAlpha(1);
    }
    mouse.Draw(1, 1);
    EndFrame();
}

void TTutorial::_fade(bool boss, bool in, const std::shared_ptr<TAudioStream>& music,
                      TMagicSphereEmiter* emiter) {
    const int64_t start = MilliSecs64();
    while (MilliSecs64() - start < FADE_MS) {
        const float t = static_cast<float>(MilliSecs64() - start) / FADE_MS;
        _frame(boss, music, emiter, in ? 1.0f - t : t);
    }
}

bool TTutorial::_mainLoop(bool boss, const std::shared_ptr<TAudioStream>& music, TMagicSphereEmiter* emiter) {
    bool closing = false;
    bool ended = false;
    while (!closing && !ended) {
        _frame(boss, music, emiter, -1);
        if (AppTerminate()) closing = true;
        if (KeyHit(KEY_ESCAPE)) ended = true;
        if (playO == 1 && mouse.leftPressed) {
            ended = true;
            if (!boss) globalSnd.click();
        }
    }
    return closing;
}

int TTutorial::show(int flag) {
    if (profile.GetNumber("showTutorial") == 0) return 0;
    loadGfx();
    bool closing = false;
    {
        PageTileSize tiles;
        LevelEffectsAside aside;
        podswietlenie = 0;
        q1Stage = 1;
        q2Offset = 0;
        q2Hilite = 0;
        q3Angle = 0;
        q3delay = 0;
        tmFrame = 29;
        tmTimer = MilliSecs64();
        tmImage = LoadImage(timeManager.framesPixmaps[29]);
        tmDir = 0;
        fill = {};
        sp = {};
        TMagicSphereEmiter emiter;
        emiter.cx = 397;
        emiter.cy = 159;
        emiter.maxR = 30;
        const auto music = PageMusic(flag);
        if (flag == 0) _fade(false, true, music, &emiter);
        closing = _mainLoop(false, music, &emiter);
        if (flag == 0) {
            _fade(false, false, music, &emiter);
            StopPageMusic(music);
        }
    }
    if (closing) {
        // The main flow does not look at the result; the request stays pending for whoever runs
        // next, so closing the window on this page still ends the program.
        RequestTerminate();
        return 1;
    }
    mouse.fetchState(0);
    TSpark::destroyAll();
    cometList.Clear();
    ringEmiterList.Clear();
    free();
    return 0;
}

int TTutorial::show2(int flag) {
    loadGfx2();
    TSpark::destroyAll();
    cometList.Clear();
    const auto music = PageMusic(flag);
    giantset = {};
    bool closing = false;
    {
        PageTileSize tiles;
        LevelEffectsAside aside;
        q1Stage = 1;
        deltaTime.Update();
        if (flag == 0) _fade(true, true, music, nullptr);
        closing = _mainLoop(true, music, nullptr);
        if (flag == 0) _fade(true, false, music, nullptr);
    }
    if (flag == 0) StopPageMusic(music);
    if (closing) End();
    mouse.fetchState(0);
    TSpark::destroyAll();
    cometList.Clear();
    return 0;
}

void ResetTutorialGlobals() {
    tutorial = TTutorial();
    helpImg = nullptr;
}

} // namespace vsm
