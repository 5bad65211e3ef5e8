// TLevelManager: the end-of-level summary sequence (count, doors, scroll, count-up, fade).
#include "level/TLevelManager.h"

#include "board/TBoardManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "platform/System.h"
#include "services/OptionsSeam.h"
#include "services/Sound.h"
#include "services/TDeltaTime.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"

#include <algorithm>

namespace vsm {

namespace {

// Moves the count cursor one cell in walk order; false once it has passed (14, 14).
bool AdvanceCursor(int& x, int& y) {
    if (++x > 14) {
        x = 0;
        if (++y > 14) return false;
    }
    return true;
}

// A score restored from a saved game may sit at the top of the int range.
int SaturatedSum(long long a, long long b) {
    return static_cast<int>(std::clamp<long long>(a + b, INT32_MIN, INT32_MAX));
}

bool FreeBoardCell(int x, int y) {
    return board.grid[x][y] != 0 && board.davarLayer[x][y] <= 0;
}

} // namespace

void TLevelManager::_endCount() {
    playSound2(summarySndStop, nullptr, 0, 1.0f);
    stopSound(summaryChn, summarySnd);
    levelEndChn = nullptr;
    summaryChn = nullptr;
    summaryStage = SUMMARY_DOORS_CLOSE;
    summaryTimer = MilliSecs64();
    const long long shown = static_cast<long long>(points.actual) + points.total;
    pointsCounter = static_cast<int>(std::clamp<long long>(shown, INT32_MIN, INT32_MAX));
    points.add(bonusPoints);
    playSound2(scrollInSnd, nullptr, 0, 1.0f);
}

int TLevelManager::updateSummary() {
    // The stages are tried in order, so one that ends hands over to the next in the same frame.
    if (summaryStage == SUMMARY_PAUSE) _summaryPause();
    if (summaryStage == SUMMARY_COUNT && _summaryCount()) return 0;
    if (summaryStage == SUMMARY_DOORS_CLOSE) _summaryDoorsClose();
    if (summaryStage == SUMMARY_DOORS_SHUT) _summaryDoorsShut();
    if (summaryStage == SUMMARY_SCROLL_APPEAR) _summaryScrollAppear();
    if (summaryStage == SUMMARY_SCROLL_UNROLL) _summaryScrollUnroll();
    if (summaryStage == SUMMARY_SCROLL_OPEN) _summaryScrollOpen();
    if (summaryStage == SUMMARY_BONUS_COUNT_UP) _summaryBonusCountUp();
    if (summaryStage == SUMMARY_AWAIT_CLICK) _summaryAwaitClick();
    if (summaryStage == SUMMARY_SCROLL_ROLL_UP) _summaryScrollRollUp();
    if (summaryStage == SUMMARY_SCROLL_VANISH) _summaryScrollVanish();
    if (summaryStage == SUMMARY_FADE_OUT) _summaryFadeOut();

    _summaryHeroinePulse();
    // The summary song plays from the shut doors until it has faded away.
    if (summaryStage >= SUMMARY_DOORS_SHUT && summaryStage <= SUMMARY_FADE_OUT && summaryMusic)
        summaryMusic->update();
    return 0;
}

void TLevelManager::_summaryPause() {
    if (MilliSecs64() - summaryTimer <= 1000) return;
    summaryStage = SUMMARY_COUNT;
    summaryChn = playSound2(summarySnd, nullptr, 0, 1.0f);
    summaryTimer = MilliSecs64();
}

bool TLevelManager::_summaryCount() {
    levelCompletedAlpha = std::min(1.0f, levelCompletedAlpha + 0.1f);
    if (sY <= 14 && board.grid[sX][sY] > 0 && board.davarLayer[sX][sY] == 0) {
        for (int i = 0; i < 4; ++i) {
            const int px = sX * board.tileSize + board.offsetX + Rand(-3, 17);
            const int py = sY * board.tileSize + board.offsetY + Rand(-3, 17);
            const int life = Rand(10, 40);
            const int r = Rand(100, 200), g = Rand(100, 200), b = Rand(100, 200);
            TSpark::Create(sparkImages[0], px, py, 0.8f, life, r, g, b, 1, 0);
        }
    }
    if (sTimer % 2 == 0) {
        ++sCounter;
        bool counting = sY <= 14;
        if (counting && FreeBoardCell(sX, sY)) bonusPoints += 25;
        if (counting) counting = AdvanceCursor(sX, sY);
        while (counting && !FreeBoardCell(sX, sY))
            counting = AdvanceCursor(sX, sY);
        if (!counting) {
            _endCount();
            return true;
        }
    }
    const int64_t now = MilliSecs64();
    if (musicStream) {
        const float v = static_cast<float>(musicFade - now) * (options.musicVol / 10.0f) / 250.0f;
        SetStreamVolume(musicStream, std::max(0.001f, v));
    }
    if (now > musicFade + 100 && !levelEndChn) levelEndChn = playMusic(levelEnd, nullptr, 1.0f);
    ++sTimer;
    return false;
}

void TLevelManager::_summaryDoorsClose() {
    const int64_t e = MilliSecs64() - summaryTimer;
    if (e > 300) doorPos += static_cast<float>((e - 300) / 50);
    if (doorPos <= 400) return;
    doorPos = 400;
    summaryStage = SUMMARY_DOORS_SHUT;
    summaryTimer = MilliSecs64();
    if (summaryMusic) summaryMusic->stop();
    summaryMusic = playMusicStream("sfx/glyndra-help.ogg", 1, 1.0f);
}

void TLevelManager::_summaryDoorsShut() {
    if (MilliSecs64() - summaryTimer <= 500) return;
    summaryTimer = MilliSecs64();
    summaryStage = SUMMARY_SCROLL_APPEAR;
}

void TLevelManager::_summaryScrollAppear() {
    const int64_t e = MilliSecs64() - summaryTimer;
    scrollAlpha = std::min(1.0f, static_cast<float>(e) / 100.0f);
    if (e <= 100) return;
    summaryTimer = MilliSecs64();
    summaryStage = SUMMARY_SCROLL_UNROLL;
}

void TLevelManager::_summaryScrollUnroll() {
    scrollViewPos += static_cast<float>((MilliSecs64() - summaryTimer) / 50);
    const int sx = Rand(250, 550);
    const int sy = Rand(static_cast<int>(280 - scrollViewPos), static_cast<int>(290 - scrollViewPos));
    const float scale = static_cast<float>(Rnd(0.4, 0.7));
    const int life = Rand(30, 50);
    auto spark = TSpark::Create(sparkImages[1], sx, sy, scale, life, 255, 200, 100, 1, 0);
    const float vx = static_cast<float>(Rnd(-1, 1));
    const float vy = static_cast<float>(Rnd(0, 1.5));
    if (spark) spark->setVelocity(vx, vy);
    if (scrollViewPos <= 155) return;
    scrollViewPos = 155;
    summaryStage = SUMMARY_SCROLL_OPEN;
    levelCompletedAlpha = 0;
    summaryTimer = MilliSecs64();
    // A position below -2 (the campaign's position A and the developer keys reach them) must
    // still name one of the five voice clips.
    const int clip = (sequencer.seqNo % 5 + 7) % 5 + 8;
    globalSnd.play(clip);
}

void TLevelManager::_summaryScrollOpen() {
    if (MilliSecs64() - summaryTimer <= 200) return;
    summaryTimer = MilliSecs64();
    summaryStage = SUMMARY_BONUS_COUNT_UP;
}

void TLevelManager::_summaryBonusCountUp() {
    if (MilliSecs64() - summaryTimer > 25 && bonusPoints > 0) {
        summaryTimer = MilliSecs64();
        pointsCounter = SaturatedSum(pointsCounter, 25);
        bonusPoints -= 25;
        if (bonusPoinstSndCounter % 5 != 0)
            playSound2(bonusSnd, channels[(chnNo + 1) % SOUND_CHANNELS], 1, 1.0f);
        ++bonusPoinstSndCounter;
    }
    if (bonusPoints <= 0) {
        summaryStage = SUMMARY_AWAIT_CLICK;
    } else if (mouse.leftPressed) {
        playSound2(scrollOutSnd, nullptr, 0, 1.0f);
        summaryStage = SUMMARY_SCROLL_ROLL_UP;
        summaryTimer = MilliSecs64();
        pointsCounter = SaturatedSum(pointsCounter, bonusPoints);
        bonusPoints = 0;
    }
}

void TLevelManager::_summaryAwaitClick() {
    if (mouse.leftPressed) {
        summaryStage = SUMMARY_SCROLL_ROLL_UP;
        playSound2(scrollOutSnd, nullptr, 0, 1.0f);
    }
    summaryTimer = MilliSecs64();
}

void TLevelManager::_summaryScrollRollUp() {
    scrollViewPos -= static_cast<float>((MilliSecs64() - summaryTimer) / 50);
    if (scrollViewPos >= 0) return;
    scrollViewPos = 0;
    summaryStage = SUMMARY_SCROLL_VANISH;
    summaryTimer = MilliSecs64();
}

void TLevelManager::_summaryScrollVanish() {
    const int64_t e = MilliSecs64() - summaryTimer;
    scrollAlpha = std::max(0.0f, 1.0f - static_cast<float>(e) / 100.0f);
    if (e <= 100) return;
    summaryStage = SUMMARY_FADE_OUT;
    summaryTimer = MilliSecs64();
}

void TLevelManager::_summaryFadeOut() {
    const int64_t e = MilliSecs64() - summaryTimer;
    const float v = std::max(0.0f, 1.0f - static_cast<float>(e) / 250.0f);
    SetStreamVolume(summaryMusic, v * options.musicVol / 10.0f);
    fadeAlpha = 1 - v;
    if (e <= 200) return;
    summaryTimer = MilliSecs64();
    summaryStage = SUMMARY_DONE;
    summaryDone = 1;
    if (summaryMusic) {
        summaryMusic->stop();
        summaryMusic->free();
        summaryMusic = nullptr;
    }
}

void TLevelManager::_summaryHeroinePulse() {
    if (heroineAlphaDir == 1) {
        heroineAlpha += static_cast<float>(0.01 * delta);
    } else {
        heroineAlpha -= static_cast<float>(0.01 * delta);
    }
    if (heroineAlpha > 1) {
        heroineAlpha = 1;
        heroineAlphaDir = 0;
    }
    if (heroineAlpha < 0) {
        heroineAlpha = 0;
        heroineAlphaDir = 1;
    }
}

int TLevelManager::drawDoors(int pos) {
    if (pos != -1) doorPos = static_cast<float>(pos);
    const int columns[6] = {0, 256, 384, 0, 256, 384};
    const int rows[6] = {0, 0, 0, 512, 512, 512};
    for (int k = 0; k < 6; ++k)
        DrawImage(doorImg[0][k], doorPos - 400 + columns[k], static_cast<float>(rows[k]));
    for (int k = 0; k < 6; ++k)
        DrawImage(doorImg[1][k], 800 - doorPos + columns[k], static_cast<float>(rows[k]));
    return 0;
}

} // namespace vsm
