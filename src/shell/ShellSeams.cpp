// ShellSeams: the hooks into the title screen, the quest level loop, the puzzle and the ring
// mini-game, and the stand-in title screen used while no real one is installed.
#include "shell/ShellSeams.h"

#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/TProfileLoader.h"
#include "profiles/TProfileManager.h"
#include "services/Paths.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"
#include "widgets/SharedAssets.h"
#include "widgets/SharedImageIds.h"
#include "widgets/TContainer.h"

namespace vsm {

TShellSeams shellSeams;

namespace {

constexpr const char* GAME_NAME = "Vessamoor";

// The stand-in's title song, started once and left playing, as the real title does.
AudioStreamPtr standInMusic;

int StandInPlayMusic() {
    if (!standInMusic) standInMusic = playMusicStream("sfx/glyndra-song.ogg", 1, 1.0f);
    return 0;
}

} // namespace

int TShellSeams::TitleShow() const {
    return titleShow ? titleShow() : StandInTitle();
}

int TShellSeams::TitlePlayMusic() const {
    return titlePlayMusic ? titlePlayMusic() : StandInPlayMusic();
}

void DrawStandInTitle() {
    ImagePtr picture = data.GetImage(DATA_TITLE_BACKGROUND);
    if (!picture) {
        picture = LoadImage(bDir + "gfx/title/title-main.jpg", 0);
        // The profile screen draws the title picture behind itself.
        if (picture) data.Add(picture, DATA_TITLE_BACKGROUND);
    }
    Cls();
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetTransform(0, 1, 1);
    SetAlpha(1);
    if (picture) DrawImage(picture, 0, 0);
    if (const FontPtr font = data.GetTTFont(DATA_FONT_TITLE_40)) SetImageFont(font);
    const std::string hint = "click to begin";
    DrawText(GAME_NAME, 400.0f - static_cast<float>(TextWidth(GAME_NAME) / 2), 260);
    DrawText(hint, 400.0f - static_cast<float>(TextWidth(hint) / 2), 320);
}

int StandInTitle() {
    if (profile.GetProfilesList().empty()) profileLoader.show(PROFILES_FIRST_NAME);
    FlushKeys();
    FlushMouse();
    for (;;) {
        PollSystem();
        if (AppTerminate()) return 0;
        deltaTime.Update();
        delta = deltaTime.CurrDelta();
        mouse.fetchState(1);
        DrawStandInTitle();
        TSpark::UpdateAll();
        SetBlend(ALPHABLEND);
        mouse.Draw(1, 1);
        Flip(-1);
        if (mouse.leftPressed != 0 || GetChar() != 0) {
            mouse.leftPressed = 0;
            return 3;
        }
    }
}

} // namespace vsm
