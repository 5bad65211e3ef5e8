// TRingGame: the end-of-stage summary scroll, the stage state in the profile and the hand-over of
// the spells won to the next quest level.
#include "ringgame/TRingGame.h"

#include "data/DataFolders.h"
#include "data/NumberText.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "magic/TBunusManagerA.h"
#include "platform/EndFrame.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "services/OptionsSeam.h"
#include "services/Sound.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"
#include "widgets/DrawHelpers.h"
#include "widgets/TContainer.h"

#include <algorithm>

namespace vsm {

namespace {

constexpr int SCROLL_Y = 300;
constexpr int MAX_OPENING = 155;
// More tokens than a board has cells can never be placed; a damaged profile must not keep the
// level start busy for ever.
constexpr int MAX_COPIED_TOKENS = 15 * 15;

int SaturatedInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

void DrawLine(const std::string& text, int x, int y, int lineY, int opening) {
    if (isTextInViewport(lineY, SCROLL_Y - opening, 2 * opening))
        DrawText(text, static_cast<float>(x), static_cast<float>(y));
}

void DrawCentred(const std::string& text, int y, int lineY, int opening) {
    DrawLine(text, 400 - TextWidth(text) / 2, y, lineY, opening);
}

} // namespace

struct TRingGame::SummaryState {
    int state = 0;
    int64_t stamp = 0;
    float scrollAlpha = 0;
    float sceneAlpha = 1;
    int opening = 0;
    int tally = 0;
};

void TRingGame::_summaryStep(SummaryState& s) {
    const int64_t now = MilliSecs64();
    auto enter = [&s](int next) {
        s.state = next;
        if (next != 4) s.stamp = MilliSecs64();
    };
    switch (s.state) {
    case 0:
        s.scrollAlpha += 0.1f;
        if (s.scrollAlpha >= 1) enter(1);
        break;
    case 1: {
        s.opening += static_cast<int>((now - s.stamp) / 50);
        const int x = Rand(250, 550);
        const int y = Rand(SCROLL_Y - s.opening - 20, SCROLL_Y - s.opening - 10);
        const float scale = static_cast<float>(Rnd(0.4, 0.7));
        auto spark = TSpark::Create(SparkImage(1), x, y, scale, Rand(30, 50), 255, 200, 100, 1, 0);
        if (spark) spark->setVelocity(static_cast<float>(Rnd(-1, 1)), static_cast<float>(Rnd(0, 1.5)));
        if (s.opening > MAX_OPENING) {
            s.opening = MAX_OPENING;
            enter(2);
            // A negative campaign position must still name one of the five voice clips.
            globalSnd.play(8 + ((sequencer.seqNo + 2) % 5 + 5) % 5);
        }
        break;
    }
    case 2:
        if (now - s.stamp > 500) enter(3);
        break;
    case 3:
        if (mouse.leftPressed) {
            s.tally = 0;
            enter(5);
            break;
        }
        if (s.tally > 0 && now - s.stamp > 50) {
            --s.tally;
            s.stamp = now;
        }
        if (s.tally <= 0) enter(4);
        break;
    case 4:
        if (mouse.leftPressed) {
            playSound2(sfx[6], nullptr, 0, 1.0f);
            enter(5);
        }
        break;
    case 5:
        s.opening -= static_cast<int>((now - s.stamp) / 50);
        if (s.opening < 0) {
            s.opening = 0;
            enter(6);
        }
        break;
    case 6:
        s.scrollAlpha -= 0.1f;
        if (s.scrollAlpha <= 0) enter(7);
        break;
    case 7:
        ringRot += 5;
        ringScale += 0.1f;
        if (ringScale >= 3) {
            s.sceneAlpha = 0;
            enter(8);
        }
        break;
    case 8: {
        ringAlfa = 1 - static_cast<float>(now - s.stamp) / 250.0f;
        ringRot += 5;
        ringScale += 0.1f;
        const float v = std::clamp(ringAlfa, 0.001f, 1.0f);
        SetStreamVolume(music, v * options.musicVol / 10.0f);
        if (ringAlfa < 0) {
            ringAlfa = 0;
            enter(9);
        }
        break;
    }
    default:
        break;
    }
}

void TRingGame::_summaryDraw(const SummaryState& s) {
    Cls();
    SetColor(255, 255, 255);
    SetAlpha(s.sceneAlpha);
    SetTransform(0, 1, 1);
    DrawImage(bg, 0, 0);
    DrawImage(wahadlo, 403, wahadloPos);
    for (int i = 0; i < RING_RUNES; ++i) {
        DrawImage(papier, papiery[i].x, static_cast<float>(papiery[i].y));
        DrawImage(runy, papiery[i].x - 15, static_cast<float>(papiery[i].y - 18), i);
    }
    SetTransform(ringRot, ringScale, ringScale);
    SetAlpha(ringAlfa);
    DrawImage(ring, 400, 260);
    SetAlpha(s.sceneAlpha);
    SetTransform(0, 1, 1);
    for (const auto& spell : spells)
        if (spell) spell->Draw(400, 260, ringScale, ringRot, ringAlfa);

    const int o = s.opening;
    SetAlpha(s.scrollAlpha * s.sceneAlpha);
    SetScale(1, 1);
    drawInViewPort(data.GetImage(2002), 400, SCROLL_Y, 0, SCROLL_Y - o, 800, 2 * o);

    SetColor(0, 0, 0);
    const int bonus = SaturatedInt(static_cast<long long>(s.tally) * RING_POINTS_PER_HIT);
    SetImageFont(data.GetTTFont(4001));
    DrawCentred("Well done!", 180, 180, o);
    SetImageFont(data.GetTTFont(4002));
    DrawLine("Received", 300, 240, 250, o);
    if (sequencer.seqNo == 4) {
        DrawLine("spell:", 300, 260, 250, o);
        DrawLine("Fire spell", 440, 255, 250, o);
    } else {
        DrawLine("spells:", 300, 260, 250, o);
        DrawLine(std::to_string(recivedSpells), 440, 255, 250, o);
    }
    DrawLine("Time:", 300, 297, 297, o);
    DrawLine(SecToTime(static_cast<int>(maxTime / 1000)), 440, 297, 297, o);
    DrawLine("Bonus points:", 300, 334, 334, o);
    DrawLine(std::to_string(bonus), 440, 334, 334, o);
    DrawLine("Total points:", 300, 371, 371, o);
    DrawLine(std::to_string(SaturatedInt(static_cast<long long>(points.total) - bonus)), 440, 371, 371, o);
    SetImageFont(data.GetTTFont(4005));
    DrawCentred("Click to continue", 430, 430, o);

    SetColor(255, 255, 255);
    DrawImage(data.GetImage(2001), 400, static_cast<float>(SCROLL_Y - o));
    DrawImage(data.GetImage(2003), 400, static_cast<float>(SCROLL_Y + o - 1));
    if (s.state < 8) points._drawNumber(points.total, 7, 398, 7, 1, 1);
    SetAlpha(s.sceneAlpha);
    TSpark::UpdateAll();
    if (s.state < 7) mouse.Draw(1, 1);
}

void TRingGame::_payHits() {
    points.total = SaturatedInt(static_cast<long long>(points.total) +
                                static_cast<long long>(seqHits) * RING_POINTS_PER_HIT);
}

int TRingGame::Summary() {
    _payHits();
    SummaryState s;
    s.stamp = MilliSecs64();
    s.tally = seqHits;
    playSound2(sfx[7], nullptr, 0, 1.0f);
    while (s.state != 9) {
        if (music) music->update();
        mouse.fetchState(0);
        _summaryStep(s);
        _summaryDraw(s);
        EndFrame();
        if (AppTerminate()) return 1;
    }
    return 0;
}

int TRingGame::SaveToProfile() {
    Print(std::to_string(seqHits));
    Print(std::to_string(recivedSpells));
    const int64_t t0 = MilliSecs64();
    profile.SetNumber("rgTime", SaturatedInt(MilliSecs64() - Timer), 0);
    Print(std::to_string(MilliSecs64() - t0));
    profile.SetNumber("recivedSpells", recivedSpells, 0);
    Print(std::to_string(MilliSecs64() - t0));
    for (const auto& s : spells)
        if (s) profile.SetNumber("RMGRecivedSpell" + std::to_string(s->kind), s->counter, 0);
    profile.SetNumber("seqHits", seqHits, 1);
    Print(std::to_string(MilliSecs64() - t0));
    return 0;
}

int TRingGame::LoadFromProfile() {
    // A hand-edited or damaged profile must not give the stage more time than it has, nor take
    // hits, awards or spells below none.
    seqHits = std::max(profile.GetNumber("seqHits"), 0);
    recivedSpells = std::max(profile.GetNumber("recivedSpells"), 0);
    const int64_t now = MilliSecs64();
    Timer = now - std::clamp<int64_t>(profile.GetNumber("rgTime"), 0, std::max<int64_t>(maxTime, 0));
    wahadloMaxRot = PendulumAmplitude(now - Timer, maxTime);
    for (const auto& s : spells)
        if (s) s->counter = std::max(profile.GetNumber("RMGRecivedSpell" + std::to_string(s->kind)), 0);
    return 0;
}

int TRingGame::CopySpells() {
    if (sequencer.seqNo == 5) {
        constexpr int CELLS[4][2] = {{7, 2}, {7, 12}, {2, 7}, {12, 7}};
        for (const auto& c : CELLS)
            bonusManagerAlt.AddBonusExt(1, c[0], c[1], 1);
        return 0;
    }
    for (int k = 1; k <= 6; ++k) {
        const int n = std::min(profile.GetNumber("RMGRecivedSpell" + std::to_string(k)), MAX_COPIED_TOKENS);
        for (int i = 0; i < n; ++i)
            bonusManagerAlt.AddBonus(k);
    }
    return 0;
}

} // namespace vsm
