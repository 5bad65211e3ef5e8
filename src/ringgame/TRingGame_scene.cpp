// TRingGame: the scene — its art and sounds, the intro, the pendulum clock and the drawing.
#include "ringgame/TRingGame.h"

#include "level/TPointsManager.h"
#include "overlays/TPopupManager.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/Sound.h"
#include "services/TDeltaTime.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/Trig.h"
#include "widgets/TAnimButton.h"
#include "widgets/TDim.h"
#include "widgets/TImageButton.h"

#include <algorithm>
#include <cmath>

namespace vsm {

namespace {

struct SpellPlace {
    float range;
    float angle;
    const char* prefix; // the picture files of kind k are not named after k
};
constexpr SpellPlace SPELL_PLACES[6] = {
    {-97.899f, -60.366f, "s4"}, {-101.799f, 178.801f, "s6"}, {99.599f, 58.163f, "s5"},
    {101.999f, -59.663f, "s1"}, {-101.399f, 61.872f, "s2"},  {-98.199f, 1.206f, "s3"},
};

constexpr const char* SOUNDS[8] = {
    "sfx/fx/playgamering-czarbad.ogg",   "sfx/fx/playgamering-czargeted.ogg",
    "sfx/fx/playgamering-czargood.ogg",  "sfx/fx/playgamering-czarwkuli.ogg",
    "sfx/fx/playgamering-mouseover.ogg", "sfx/fx/playgamering-wjazd.ogg",
    "sfx/fx4/playgame-ring-out.ogg",     "sfx/fx4/playgame-ring-show.ogg",
};

void MidHandle(const ImagePtr& image) {
    if (image) MidHandleImage(image);
}

} // namespace

int TRingGame::loadGfx() {
    const std::string dir = bDir + "gfx/ring-game/";
    bg = LoadImage(dir + "game-ring3.jpg", 0);
    ring = LoadImage(dir + "ring0000.png", 0);
    MidHandle(ring);
    wahadlo = LoadImage(dir + "wahadlo-c.png");
    if (wahadlo) SetImageHandle(wahadlo, static_cast<float>(ImageWidth(wahadlo) / 2), -72);
    papier = LoadImage(dir + "papirus1.png");
    MidHandle(papier);
    swiatelko = LoadImage(dir + "switelko.png");
    MidHandle(swiatelko);
    runy = LoadAnimImage(dir + "runy-papier.png", 32, 64, 0, RING_RUNES);
    runy2 = LoadAnimImage(dir + "runy-kula.png", 64, 64, 0, RING_RUNES);
    MidHandle(runy2);
    bar = LoadImage(dir + "bar.png");
    for (size_t i = 0; i < sfx.size(); ++i)
        sfx[i] = LoadSound(bDir + SOUNDS[i], 0);
    menuButton = CreateImageButton(bDir + "gfx/fonts/menu_mapa.png", CreateDim(358, 568, 0, 0, 0, 1, 1, 0), 1,
                                   1.0f, 2);
    for (int k = 0; k < 6; ++k) {
        std::array<std::string, 5> files;
        for (int f = 0; f < 5; ++f)
            files[f] = std::string(SPELL_PLACES[k].prefix) + "_000" + std::to_string(f) + ".png";
        spells[k] =
            TRingSpell::Create(SPELL_PLACES[k].range, SPELL_PLACES[k].angle, k + 1, "gfx/ring-game", files);
    }
    return 0;
}

int TRingGame::resetParams() {
    seqPos = 0;
    seqLen = 0;
    seqHits = 0;
    runeAlpha = 0;
    runeScale = 3;
    ringRot = 90;
    ringScale = 5.5f;
    ringAlfa = 0;
    rotSpeed = 5;
    faza = 1;
    wahadloPos = 140;
    wahadloRot = 0;
    t = 0;
    progres = 0;
    selectedRune = -1;
    delayTime = -1;
    Timer = MilliSecs64();
    recivedSpells = 0;
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 5; ++r) {
            TPapier& p = papiery[5 * c + r];
            const float spread = 48.0f * r;
            const float starts[4] = {-100 - spread, -200 - spread, 900 + spread, 1000 + spread};
            p.x = starts[c];
            p.y = 95 + 100 * r;
            p.sx = c < 2 ? 8.0f : -8.0f;
            p.d = 30 + 6 * r;
        }
    }
    return 0;
}

int TRingGame::Update() {
    if (faza == 1) {
        ringRot += rotSpeed;
        ringScale -= 0.1f;
        ringAlfa += 0.1f;
        if (ringScale <= 1) {
            ringScale = 1;
            faza = 2;
        }
    }
    if (faza == 2) {
        ringRot += rotSpeed;
        rotSpeed -= 0.5f;
        if (rotSpeed <= 0) faza = 3;
    }
    if (faza == 3) {
        if (std::fmod(ringRot, 360.0f) == 0) faza = 4;
        ringRot += 0.5f;
    }
    if (faza == 3 || faza == 4) {
        for (TPapier& p : papiery) {
            p.d -= 1;
            p.x += p.sx;
            if (p.d <= 0) {
                p.sx *= 0.9f;
                if (std::fabs(p.sx) <= 0.15f) {
                    p.x = std::trunc(p.x);
                    p.sx = 0;
                }
            }
        }
        if (papiery[RING_RUNES - 1].sx == 0) faza = 5;
    }
    if (faza == 4 || faza == 5) {
        ringRot = 0;
        wahadloPos += 3;
        if (wahadloPos >= 260) {
            wahadloPos = 260;
            if (faza == 5) {
                faza = RING_PHASE_PLAY;
                deltaTime.Update();
                if (!popups.IsEmpty()) globalSnd.play(3);
                return 0;
            }
        }
    }
    if (faza == RING_PHASE_PLAY) {
        if (delayTime < 0) {
            runeAlpha += 0.025f;
            runeScale = std::max(1.0f, runeScale - 0.05f);
        }
        const int64_t elapsed = MilliSecs64() - Timer;
        if (wahadloRot > -0.5f && wahadloRot < 0.5f) wahadloMaxRot = PendulumAmplitude(elapsed, maxTime);
        t += static_cast<float>(delta);
        wahadloRot = static_cast<float>(SinDeg(std::sqrt(10.0) * t) * wahadloMaxRot);
        const int old = selectedRune;
        selectedRune = checkRows();
        if (old < 0 && selectedRune >= 0) playSound2(sfx[4], nullptr, 0, 1.0f);
        if (elapsed > maxTime) faza = RING_PHASE_OVER;
    }
    return 0;
}

int TRingGame::Draw(int noCursor) {
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetTransform(0, 1, 1);
    DrawImage(bg, 0, 0);

    SetTransform(wahadloRot, 1, 1);
    if (faza > 3) DrawImage(wahadlo, 403, wahadloPos);

    SetAlpha(ringAlfa);
    SetTransform(ringRot, ringScale, ringScale);
    DrawImage(ring, 400, 260);
    for (const auto& s : spells)
        if (s) s->Draw(400, 260, ringScale, ringRot, 1.0f);

    SetAlpha(1);
    SetTransform(0, 1, 1);
    for (int i = 0; i < RING_RUNES; ++i) {
        const TPapier& p = papiery[i];
        DrawImage(papier, p.x, static_cast<float>(p.y));
        if (selectedRune == i) {
            SetAlpha(0.6f);
            DrawImage(swiatelko, p.x, static_cast<float>(p.y));
            SetAlpha(1);
        }
        DrawImage(runy, p.x - 15, static_cast<float>(p.y - 18), i);
    }

    SetAlpha(runeAlpha);
    SetScale(runeScale, runeScale);
    const int shown = sequence[std::clamp(seqPos, 0, RING_RUNES - 1)];
    if (shown >= 0) DrawImage(runy2, 400, 265, shown);
    SetAlpha(1);
    SetScale(1, 1);

    const long long stagePoints = static_cast<long long>(seqHits) * RING_POINTS_PER_HIT;
    points._drawNumber(static_cast<int>(std::min<long long>(stagePoints, INT32_MAX)), 7, 398, 7, 1, 1);

    SetAlpha(progres >= 0.5f ? 0.7f : 0.4f);
    SetScale(progres * 130, 1);
    DrawImage(bar, 335, 523);
    SetScale(1, 1);
    SetAlpha(1);

    if (menuButton) menuButton->Draw();
    if (!popups.IsEmpty() && faza == RING_PHASE_PLAY) popups.First()->Update(popupManager.button);
    if (noCursor == 0) mouse.Draw(1, 1);
    return 0;
}

} // namespace vsm
