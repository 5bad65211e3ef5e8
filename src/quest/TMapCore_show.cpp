// TMapCore screen loop: the map's fade-in, the wait for Play or a click, and the fade-out with
// its music.
#include "quest/TMapCore.h"

#include "data/NumberText.h"
#include "level/TLevelSequencer.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/OptionsSeam.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"

#include <string>

namespace vsm {

namespace {

constexpr float MAP_FADE_MS = 250.0f;

} // namespace

void TMapCore::LayOutCaption(int levelNumber) {
    if (!caption[0] || !caption[1]) return;
    caption[1]->text = std::to_string(sequencer.Last);
    caption[0]->text = std::to_string(levelNumber);
    const float w0 = static_cast<float>(ImageWidth(captionImages[0]));
    const float w1 = static_cast<float>(ImageWidth(captionImages[1]));
    const float t0 = caption[0]->Width();
    const float t1 = caption[1]->Width();
    // "level", the number, "of", the last number, 7 pixels apart, centred on x 350.
    const float row = w0 + 7 + t0 + 7 + w1 + 7 + t1;
    captionX[0] = NumberToInt(350.0f - row / 2);
    caption[0]->dim->x = static_cast<float>(captionX[0]) + w0 + 7;
    captionX[1] = NumberToInt(caption[0]->dim->x + t0 + 7);
    caption[1]->dim->x = static_cast<float>(captionX[1]) + w1 + 7;
}

int TMapCore::Show(int i) {
    if (i < 0) return 0;
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    // Computed wide so that the last possible level number cannot overflow.
    actualLevel = NumberToInt(static_cast<double>(i) + 1);
    for (const MapLevelPtr& level : mapLevels) {
        if (level->number == actualLevel) {
            actualStage = level->stage;
            break;
        }
    }
    // Taken before the music starts, so starting it counts toward the fade-in.
    Timer = MilliSecs64();
    fade = 1;
    alpha = 0;
    quit = 0;
    music = playMusicStream("sfx/glyndra-map.ogg", 1, 1.0f);
    music->update();
    LayOutCaption(actualLevel);

    auto stopMusic = [this] {
        music->stop();
        music->free();
    };
    for (;;) {
        if (AppTerminate()) {
            stopMusic();
            music = nullptr;
            End();
        }
        music->update();
        mouse.fetchState(0);
        Draw();
        const float elapsed = static_cast<float>(MilliSecs64() - Timer);
        if (fade == 1) {
            alpha = elapsed / MAP_FADE_MS;
            if (alpha > 1) {
                alpha = 1;
                fade = 0;
            }
        }
        if (fade == -1) {
            alpha = 1 - elapsed / MAP_FADE_MS;
            if (!(alpha >= 0)) quit = 1;
            if (alpha > 0) music->setVolume(alpha * static_cast<float>(options.musicVol) / 10.0f);
        }
        if (fade == 0) {
            // The menu is polled every waiting frame, so the Play button's hover look follows
            // the pointer; Play and a click anywhere else leave the same way, with one sound.
            const bool play = menu && menu->State() == 2;
            if (play || mouse.leftPressed != 0) {
                globalSnd.click();
                returnValue = 0;
                fade = -1;
                Timer = MilliSecs64();
            }
        }
        if (quit != 0) {
            stopMusic();
            return returnValue;
        }
    }
}

} // namespace vsm
