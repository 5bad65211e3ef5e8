// TTimeManager: the level clock — elapsed play time, optional limit, pause and the timer widget.
#include "level/TTimeManager.h"

#include "board/BoardText.h"
#include "board/TBoardManager.h"
#include "data/TTSCFile.h"
#include "level/LevelText.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "widgets/TContainer.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace vsm {

TTimeManager timeManager;

int TTimeManager::LoadResources() {
    timerImg = LoadLevelImage(bDir + "gfx/timer/timer.png");
    for (int i = 0; i < 30; ++i) {
        framesPixmaps[i] = LoadLevelPixmap(bDir + "gfx/timer/frame" + std::to_string(30 - i) + ".png");
    }
    actualFrameImg = framesPixmaps[0] ? LoadImage(framesPixmaps[0]) : nullptr;
    menuBgImg = LoadLevelImage(bDir + "gfx/gui/menu-decha.png");
    return 0;
}

int TTimeManager::Load(const std::shared_ptr<TTSCFile>& doc) {
    // Clamp before truncating: a custom level may hold any number.
    return Set(NumberToInt(GetTSCNumberKey(doc, "Settings::Level", "Time", 0) * 1000.0));
}

int TTimeManager::LoadFromProfile(int elapsed) {
    // A saved game is a user file: any elapsed value must give a start time without overflow.
    startSystemTime = MilliSecs64() - elapsed;
    wjazd = 0;
    Update();
    return 0;
}

int TTimeManager::SaveToProfile() {
    return actualTime;
}

int TTimeManager::Set(int ms) {
    maxTime = ms;
    return 0;
}

int TTimeManager::DrawAndUpdate() {
    Update();
    Draw(1);
    CheckGameOver();
    return 0;
}

int TTimeManager::Update() {
    const int64_t now = MilliSecs64();
    // Without a limit there are no frames to slide in; a slide-in left pending would freeze the
    // elapsed time for the rest of the level.
    if (maxTime <= 0) wjazd = 0;
    if (paused == 0 && wjazd == 0) {
        const int64_t elapsed = now - startSystemTime;
        actualTime = static_cast<int>(std::clamp<int64_t>(elapsed, 0, INT32_MAX));
    }
    if (maxTime <= 0) {
        leftTime = 0;
        return 0;
    }
    leftTime = maxTime - actualTime;
    if (actualTime > maxTime) actualTime = maxTime;
    if (leftTime < 0) leftTime = 0;
    int f = static_cast<int>(static_cast<int64_t>(actualTime) * 29 / maxTime);
    if (wjazd != 0) {
        f = 29 - static_cast<int>(std::min<int64_t>((now - wjazdTimer) / 20, 30));
        if (f > 29) f = 29;
        if (f < 0) {
            f = 0;
            wjazd = 0;
        }
    }
    // Only the frame on show exists as an image; a missing frame file is not retried each frame.
    if (f != actualFrame || (!actualFrameImg && framesPixmaps[f])) {
        actualFrame = f;
        actualFrameImg = framesPixmaps[f] ? LoadImage(framesPixmaps[f]) : nullptr;
    }
    return 0;
}

int TTimeManager::Draw(int rope) {
    SetBlend(ALPHABLEND);
    SetTransform(0, 1, 1);
    SetAlpha(1);
    if (rope != 0) {
        const ImagePtr ropeImg = data.GetImage(5000);
        DrawImage(ropeImg, x + 24, y + 100);
        DrawImage(ropeImg, x + 82, y + 100);
    }
    DrawImage(menuBgImg, x + 26, y - 18);
    DrawImage(timerImg, x, y);
    if (maxTime > 0) DrawImage(actualFrameImg, x + 17, y + 17);
    return 0;
}

int TTimeManager::DrawWithoutRope() {
    return Draw(0);
}

int TTimeManager::PauseOn() {
    paused = 1;
    return 0;
}

int TTimeManager::PauseOff() {
    if (paused == 0) return 0;
    startSystemTime = MilliSecs64() - actualTime;
    paused = 0;
    Update();
    return 0;
}

int TTimeManager::Reset(int slideIn) {
    startSystemTime = MilliSecs64();
    Update();
    if (slideIn != 0) {
        wjazd = 1;
        wjazdTimer = MilliSecs64();
    }
    return 0;
}

int TTimeManager::TimeOver() {
    return (maxTime > 0 && actualTime >= maxTime) ? 1 : 0;
}

int TTimeManager::CheckGameOver() {
    if (maxTime > 0 && TimeOver() == 1) board.gameOver = 1;
    return 0;
}

} // namespace vsm
