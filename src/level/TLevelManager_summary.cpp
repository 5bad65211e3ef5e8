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
    summaryStage = 2;
    summaryTimer = MilliSecs64();
    const long long shown = static_cast<long long>(points.actual) + points.total;
    pointsCounter = static_cast<int>(std::clamp<long long>(shown, INT32_MIN, INT32_MAX));
    points.add(bonusPoints);
    playSound2(scrollInSnd, nullptr, 0, 1.0f);
}

int TLevelManager::updateSummary() {
    auto elapsed = [this] { return MilliSecs64() - summaryTimer; };

    if (summaryStage == 0 && elapsed() > 1000) {
        summaryStage = 1;
        summaryChn = playSound2(summarySnd, nullptr, 0, 1.0f);
        summaryTimer = MilliSecs64();
    }
    if (summaryStage == 1) {
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
                return 0;
            }
        }
        const int64_t now = MilliSecs64();
        if (musicStream) {
            const float v = static_cast<float>(musicFade - now) * (options.musicVol / 10.0f) / 250.0f;
            SetStreamVolume(musicStream, std::max(0.001f, v));
        }
        if (now > musicFade + 100 && !levelEndChn) levelEndChn = playMusic(levelEnd, nullptr, 1.0f);
        ++sTimer;
    }
    if (summaryStage == 2) {
        const int64_t e = elapsed();
        if (e > 300) doorPos += static_cast<float>((e - 300) / 50);
        if (doorPos > 400) {
            doorPos = 400;
            summaryStage = 3;
            summaryTimer = MilliSecs64();
            if (summaryMusic) summaryMusic->stop();
            summaryMusic = playMusicStream("sfx/glyndra-help.ogg", 1, 1.0f);
        }
    }
    if (summaryStage == 3 && elapsed() > 500) {
        summaryTimer = MilliSecs64();
        summaryStage = 4;
    }
    if (summaryStage == 4) {
        const int64_t e = elapsed();
        scrollAlpha = std::min(1.0f, static_cast<float>(e) / 100.0f);
        if (e > 100) {
            summaryTimer = MilliSecs64();
            summaryStage = 5;
        }
    }
    if (summaryStage == 5) {
        scrollViewPos += static_cast<float>(elapsed() / 50);
        const int sx = Rand(250, 550);
        const int sy = Rand(static_cast<int>(280 - scrollViewPos), static_cast<int>(290 - scrollViewPos));
        const float scale = static_cast<float>(Rnd(0.4, 0.7));
        const int life = Rand(30, 50);
        auto spark = TSpark::Create(sparkImages[1], sx, sy, scale, life, 255, 200, 100, 1, 0);
        const float vx = static_cast<float>(Rnd(-1, 1));
        const float vy = static_cast<float>(Rnd(0, 1.5));
        if (spark) spark->setVelocity(vx, vy);
        if (scrollViewPos > 155) {
            scrollViewPos = 155;
            summaryStage = 6;
            levelCompletedAlpha = 0;
            summaryTimer = MilliSecs64();
            // A position below -2 (the campaign's position A and the developer keys reach them)
            // must still name one of the five voice clips.
            const int clip = (sequencer.seqNo % 5 + 7) % 5 + 8;
            globalSnd.play(clip);
        }
    }
    if (summaryStage == 6 && elapsed() > 200) {
        summaryTimer = MilliSecs64();
        summaryStage = 7;
    }
    if (summaryStage == 7) {
        if (elapsed() > 25 && bonusPoints > 0) {
            summaryTimer = MilliSecs64();
            pointsCounter = SaturatedSum(pointsCounter, 25);
            bonusPoints -= 25;
            if (bonusPoinstSndCounter % 5 != 0)
                playSound2(bonusSnd, channels[(chnNo + 1) % SOUND_CHANNELS], 1, 1.0f);
            ++bonusPoinstSndCounter;
        }
        if (bonusPoints <= 0) summaryStage = 8;
        if (mouse.leftPressed && summaryStage == 7) {
            playSound2(scrollOutSnd, nullptr, 0, 1.0f);
            summaryStage = 9;
            summaryTimer = MilliSecs64();
            pointsCounter = SaturatedSum(pointsCounter, bonusPoints);
            bonusPoints = 0;
        }
    }
    if (summaryStage == 8) {
        if (mouse.leftPressed) {
            summaryStage = 9;
            playSound2(scrollOutSnd, nullptr, 0, 1.0f);
        }
        summaryTimer = MilliSecs64();
    }
    if (summaryStage == 9) {
        scrollViewPos -= static_cast<float>(elapsed() / 50);
        if (scrollViewPos < 0) {
            scrollViewPos = 0;
            summaryStage = 10;
            summaryTimer = MilliSecs64();
        }
    }
    if (summaryStage == 10) {
        const int64_t e = elapsed();
        scrollAlpha = std::max(0.0f, 1.0f - static_cast<float>(e) / 100.0f);
        if (e > 100) {
            summaryStage = 11;
            summaryTimer = MilliSecs64();
        }
    }
    if (summaryStage == 11) {
        const int64_t e = elapsed();
        const float v = std::max(0.0f, 1.0f - static_cast<float>(e) / 250.0f);
        SetStreamVolume(summaryMusic, v * options.musicVol / 10.0f);
        fadeAlpha = 1 - v;
        if (e > 200) {
            summaryTimer = MilliSecs64();
            summaryStage = 12;
            summaryDone = 1;
            if (summaryMusic) {
                summaryMusic->stop();
                summaryMusic->free();
                summaryMusic = nullptr;
            }
        }
    }

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
    if (summaryStage >= 3 && summaryStage <= 11 && summaryMusic) summaryMusic->update();
    return 0;
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
