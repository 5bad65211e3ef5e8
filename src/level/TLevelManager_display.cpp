// TLevelManager: drawing of the end-of-level summary — badge, doors, scroll, portrait and cover.
#include "level/TLevelManager.h"

#include "data/DataFolders.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "platform/System.h"
#include "services/TSpark.h"
#include "widgets/DrawHelpers.h"
#include "widgets/TContainer.h"

#include <string>

namespace vsm {

namespace {

struct Row {
    int y;
    const char* label;
    int value;
    bool time; // the value is seconds, shown as a clock text
};

void DrawRow(const Row& row, int bandY, int bandH) {
    if (!isTextInViewport(row.y, bandY, bandH)) return;
    DrawText(row.label, 290, static_cast<float>(row.y));
    DrawText(row.time ? SecToTime(row.value) : std::to_string(row.value), 445, static_cast<float>(row.y));
}

void DrawCentred(const std::string& text, int y, int bandY, int bandH) {
    if (!isTextInViewport(y, bandY, bandH)) return;
    DrawText(text, static_cast<float>(400 - TextWidth(text) / 2), static_cast<float>(y));
}

} // namespace

int TLevelManager::summaryDisplay() {
    _summaryDisplay(false, timeManager.actualTime / 1000, 0, 0);
    return 0;
}

int TLevelManager::summaryDisplayET(int time, int blocksUsed, int best) {
    _summaryDisplay(true, time, blocksUsed, best);
    return 0;
}

void TLevelManager::_summaryDisplay(bool endless, int time, int blocksUsed, int best) {
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetColor(255, 255, 255);
    SetAlpha(levelCompletedAlpha);
    DrawImage(endless ? gameOverImg : levelCompletedImg, static_cast<float>(boardMiddle[0]),
              static_cast<float>(boardMiddle[1]));
    SetAlpha(1);

    if (summaryStage >= SUMMARY_DOORS_CLOSE && doorPos > 0) drawDoors(-1);

    if (summaryStage >= SUMMARY_SCROLL_APPEAR) {
        const int bandY = static_cast<int>(300 - scrollViewPos);
        const int bandH = static_cast<int>(2 * scrollViewPos);
        drawInViewPort(data.GetImage(2002), 400, 300, 0, bandY, 800, bandH);
        if (summaryStage >= SUMMARY_SCROLL_VANISH) SetAlpha(0);
        SetColor(0, 0, 0);

        SetImageFont(data.GetTTFont(4001));
        DrawCentred("Well done!", 175, bandY, bandH);
        SetImageFont(data.GetTTFont(4002));
        if (endless) {
            const Row rows[] = {{225, "Received spells:", recivedSpells, false},
                                {258, "Used blocks", blocksUsed, false},
                                {291, "Time:", time, true},
                                {324, "Bonus points:", bonusPoints, false},
                                {357, "Total points:", pointsCounter, false},
                                {390, "Best result:", best, false}};
            for (const Row& row : rows)
                DrawRow(row, bandY, bandH);
        } else {
            const Row rows[] = {
                {225, "Matches:", matches, false},           {258, "Combos:", combos, false},
                {291, "Spells cast:", droppedSpells, false}, {324, "Time:", time, true},
                {357, "Bonus points:", bonusPoints, false},  {390, "Total points:", pointsCounter, false}};
            for (const Row& row : rows)
                DrawRow(row, bandY, bandH);
        }
        SetImageFont(data.GetTTFont(4005));
        DrawCentred("Click to continue", 430, bandY, bandH);

        SetColor(255, 255, 255);
        SetAlpha(scrollAlpha);
        DrawImage(data.GetImage(2001), 400, 300 - scrollViewPos);
        DrawImage(data.GetImage(2003), 400, 300 + scrollViewPos - 1);

        if (!endless) {
            if (sparkDelay % 40 == 0) createSpark();
            ++sparkDelay;
        }
    }

    if (summaryStage >= SUMMARY_DOORS_CLOSE) {
        SetAlpha(1);
        DrawImage(heroineImg[0], doorPos - 360, 138);
        SetAlpha(heroineAlpha);
        DrawImage(heroineImg[1], doorPos - 243, 383);
    }

    if (endless && summaryStage >= SUMMARY_BONUS_COUNT_UP && points.actual > best) {
        if (sparksCount != 0 && summaryStage < SUMMARY_SCROLL_ROLL_UP) {
            sparksCount -= 2;
            for (int i = 0; i < 2; ++i) {
                const int sx = Rand(175, 500), sy = Rand(475, 525);
                const float scale = static_cast<float>(Rand(2, 4));
                const int life = Rand(50, 100);
                const int r = Rand(150, 200), g = Rand(100, 200), b = Rand(100, 200);
                auto spark = TSpark::Create(sparkImages[0], sx, sy, scale, life, r, g, b, 1, 0);
                const float vy = i == 0 ? static_cast<float>(Rnd(-2.5, -1)) : -1.0f;
                if (spark) spark->setVelocity(0, vy);
            }
        }
        if (sparksCount < 40) {
            SetAlpha(1 - sparksCount / 40.0f);
            DrawImage(newHiscoreImg, 400, 540);
        }
    }

    SetAlpha(fadeAlpha);
    SetColor(0, 0, 0);
    DrawRect(0, 0, 800, 600);
    SetColor(255, 255, 255);
}

} // namespace vsm
