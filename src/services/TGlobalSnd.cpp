// TGlobalSnd: the bank of the 13 interface and voice sounds.
#include "services/TGlobalSnd.h"

#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/Sound.h"

namespace vsm {

TGlobalSnd globalSnd;

namespace {
const char* const kBankFiles[GLOBAL_SOUNDS] = {
    "sfx/fx4/playgamepuzzle-gethint.ogg",
    "sfx/fx4/playgame-enter.ogg",
    "sfx/fx4/playgame-info-clickout.ogg",
    "sfx/fx4/playgame-info-show.ogg",
    "sfx/fx4/playgame-podlicz-show.ogg",
    "sfx/fx4/playgame-podlicz.ogg",
    "sfx/fx4/playgame-mouseover.ogg",
    "sfx/fx4/playgame-mouseover.ogg",
    "sfx/voice/v-wellplayed.ogg",
    "sfx/voice/v-wdone.ogg",
    "sfx/voice/v-imprestes.ogg",
    "sfx/voice/v-growslls.ogg",
    "sfx/voice/v-curage.ogg",
};
} // namespace

void TGlobalSnd::Load() {
    for (int i = 0; i < GLOBAL_SOUNDS; ++i)
        sfx[i] = LoadSound(bDir + kBankFiles[i], 0);
}

void TGlobalSnd::play(int i) {
    if (i < 0 || i >= GLOBAL_SOUNDS || !sfx[i]) return;
    playSound2(sfx[i], nullptr, 0, 1.0f);
}

void TGlobalSnd::click() {
    const int saved = options.soundVol;
    options.soundVol = static_cast<int>(static_cast<float>(saved) * 0.3f);
    play(6);
    options.soundVol = saved;
}

void TGlobalSnd::over() {
    play(7);
}

} // namespace vsm
