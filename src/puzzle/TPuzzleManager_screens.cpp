// TPuzzleManager: the puzzle's opening fade, summary scroll and closing picture.
#include "data/DataFolders.h"
#include "data/NumberText.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "platform/EndFrame.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "puzzle/TPuzzleManager.h"
#include "services/Sound.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"
#include "widgets/DrawHelpers.h"
#include "widgets/SharedAssets.h"
#include "widgets/TContainer.h"

#include <string>

namespace vsm {

namespace {

constexpr int SCREEN_W = 800;
constexpr int SCREEN_H = 600;
constexpr int64_t FADE_MS = 250;
constexpr int SCROLL_MAX = 155;
// The first of the five voice clips of the interface bank.
constexpr int SND_FIRST_VOICE = 8;

void BlackVeil(float alpha) {
    SetBlend(ALPHABLEND);
    SetColor(0, 0, 0);
    SetAlpha(alpha);
    DrawRect(0, 0, SCREEN_W, SCREEN_H);
    SetAlpha(1);
    SetColor(255, 255, 255);
}

// One of the summary's figure rows: a label at x 320 and its value at x 420.
void FigureRow(int y, int scroll, const std::string& label, const std::string& value) {
    if (isTextInViewport(y, 300 - scroll, 2 * scroll) == 0) return;
    DrawText(label, 320, static_cast<float>(y));
    DrawText(value, 420, static_cast<float>(y));
}

// A centred row of the summary.
void CentredRow(int y, int scroll, const FontPtr& font, const std::string& text) {
    if (isTextInViewport(y, 300 - scroll, 2 * scroll) == 0) return;
    SetImageFont(font);
    DrawText(text, static_cast<float>(400 - TextWidth(text) / 2), static_cast<float>(y));
}

} // namespace

int TPuzzleManager::Begin(const ImagePtr& background, int resume) {
    const int64_t t = MilliSecs64();
    for (const PuzzleButtonPtr& tile : puzzle->Tiles())
        tile->marked = 0;
    if (resume != 0) puzzle->State();
    for (;;) {
        if (music) music->update();
        mouse.fetchState(0);
        const int64_t passed = MilliSecs64() - t;
        if (passed > FADE_MS) return 0;
        Cls();
        DrawImage(background, 0, 0);
        puzzle->Draw();
        BlackVeil(1.0f - static_cast<float>(passed) / FADE_MS);
        mouse.Draw(1, 1);
        EndFrame(PollOrder::BeforeFlip);
    }
}

int TPuzzleManager::Finish(const ImagePtr& background) {
    int64_t t = MilliSecs64();
    int phase = 1;
    float a = 0;
    float z = 0;
    float f = 0;
    for (;;) {
        if (music) music->update();
        mouse.fetchState(0);
        if (phase == 1) {
            a += 0.05f;
            z = 0.5f + a / 2;
            if (a > 1) {
                a = 1;
                z = 1;
            }
            if (mouse.leftPressed != 0) {
                t = MilliSecs64();
                phase = 2;
            }
        }
        if (phase == 2) {
            const int64_t passed = MilliSecs64() - t;
            f = static_cast<float>(passed) / FADE_MS;
            if (passed > FADE_MS) phase = 3;
        }
        Cls();
        SetAlpha(1);
        SetScale(1, 1);
        DrawImage(background, 0, 0);
        puzzle->Draw();
        SetAlpha(a);
        SetScale(z, z);
        DrawImage(stageCompleted, 400, 300);
        SetScale(1, 1);
        BlackVeil(f);
        mouse.Draw(1, 1);
        EndFrame(PollOrder::BeforeFlip);
        if (AppTerminate() != 0) return 1;
        if (phase == 3) return 0;
    }
}

int TPuzzleManager::summary(const ImagePtr& background, const FontPtr& rowFont, const FontPtr& titleFont,
                            int fromMenu) {
    int n = puzzle->count;
    int h = hintsCount;
    int P = 0;
    if (fromMenu == 0) {
        P = points.total;
        points.total += 50 * (n - h);
    }
    int64_t t = MilliSecs64();
    const int64_t t0 = t;
    float rollers = 0;
    int phase = 0;
    int s = 0;
    TSpark::destroyAll();
    const ImagePtr top = data.GetImage(DATA_SCROLL_TOP);
    const ImagePtr paper = data.GetImage(DATA_SCROLL_MIDDLE);
    const ImagePtr bottom = data.GetImage(DATA_SCROLL_BOTTOM);
    const FontPtr closingFont = data.GetTTFont(DATA_FONT_CAPITALS_16);
    auto rollUp = [&] { playSound2(scrollOutSnd, nullptr, 0, 1.0f); };

    for (;;) {
        if (music) music->update();
        mouse.fetchState(0);
        const int64_t now = MilliSecs64();
        const bool pressed = mouse.leftPressed != 0;
        if (phase == 0) {
            rollers += 0.1f;
            if (rollers >= 1) {
                t = now;
                phase = 1;
            }
        }
        if (phase == 1) {
            s += static_cast<int>((now - t) / 50);
            auto spark = TSpark::Create(SparkImage(1), Rand(250, 550), Rand(280 - s, 290 - s),
                                        static_cast<float>(Rnd(0.4, 0.7)), Rand(30, 50), 255, 200, 100, 1, 0);
            const float vx = static_cast<float>(Rnd(-1.0, 1.0));
            const float vy = static_cast<float>(Rnd(0, 1.5));
            spark->setVelocity(vx, vy);
            if (s > SCROLL_MAX) {
                s = SCROLL_MAX;
                t = now;
                globalSnd.play(SND_FIRST_VOICE + ((sequencer.seqNo + 2) % 5));
                phase = 2;
            }
        }
        if (phase == 2 && now - t > 500) phase = 3;
        if (phase == 3) {
            if (n <= 0) {
                phase = 4;
            } else if (now - t > 50) {
                --n;
                P += 50;
                t = now;
                if (pressed) {
                    P += 50 * n - 50 * h;
                    n = 0;
                    h = 0;
                    rollUp();
                    phase = 7;
                }
            }
        }
        if (phase == 4 && now - t > 300) phase = 5;
        if (phase == 5) {
            if (h <= 0) {
                phase = 6;
            } else if (now - t > 50) {
                --h;
                P -= 50;
                t = now;
                if (pressed) {
                    P -= 50 * h;
                    h = 0;
                    rollUp();
                    phase = 7;
                }
            }
        }
        if (phase == 6 && pressed) {
            t = now;
            rollUp();
            phase = 7;
        }
        if (phase == 7) {
            s -= static_cast<int>((now - t) / 50);
            if (s < 0) {
                s = 0;
                phase = 9;
            }
        }
        if (phase == 9) {
            rollers -= 0.1f;
            if (rollers < 0) {
                rollers = 0;
                t = now;
                phase = 10;
            }
        }

        Cls();
        DrawImage(background, 0, 0);
        puzzle->Draw();
        SetColor(255, 255, 255);
        SetTransform(0, 1, 1);
        drawInViewPort(paper, 400, 300, 0, 300 - s, SCREEN_W, 2 * s);
        SetColor(0, 0, 0);
        CentredRow(180, s, titleFont, "Well done!");
        SetImageFont(rowFont);
        FigureRow(240, s, "Puzzles:", std::to_string(n));
        FigureRow(275, s, "Hints:", std::to_string(h));
        FigureRow(310, s, "Clicks:", std::to_string(clicks));
        FigureRow(345, s, "Time:", SecToTime(NumberToInt(static_cast<double>((t0 - Timer) / 1000))));
        FigureRow(380, s, "Points:", std::to_string(P));
        CentredRow(430, s, closingFont, "Click to continue");
        SetColor(255, 255, 255);
        SetAlpha(rollers);
        DrawImage(top, 400, static_cast<float>(300 - s));
        DrawImage(bottom, 400, static_cast<float>(300 + s - 1));
        TSpark::UpdateAll();
        SetAlpha(1);
        mouse.Draw(1, 1);
        EndFrame(PollOrder::BeforeFlip);
        if (phase > 9) return 0;
        if (AppTerminate() != 0) return 1;
    }
}

} // namespace vsm
