// TRingGame: the level document, the stage loop and its in-game menu and pause.
#include "ringgame/TRingGame.h"

#include "data/BBArchive.h"
#include "data/NumberText.h"
#include "data/TTSCFile.h"
#include "overlays/TOptionsWindow.h"
#include "overlays/TPopupManager.h"
#include "platform/EndFrame.h"
#include "platform/Files.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/SaveNotice.h"
#include "profiles/SavedCampaign.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "services/Paths.h"
#include "services/Sound.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"
#include "services/TRingEmiter.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"
#include "services/TextHelpers.h"
#include "widgets/SharedImageIds.h"
#include "widgets/TImageButton.h"

#include <cmath>

namespace vsm {

TRingGame ringGame;

const char* const RING_IN_PROGRESS_KEY = "rgInProgress";

namespace {

constexpr int KEY_P = 80;
constexpr int KEY_G = 71;

// A spell kind of a level document: a plain decimal 1..6.
bool ValidSpellKind(const std::string& text) {
    if (text.empty() || text.size() > 1) return false;
    return text[0] >= '1' && text[0] <= '6';
}

} // namespace

TRingGame::TRingGame() {
    sequence.fill(0);
}

int PendulumAmplitude(int64_t elapsed, int64_t maxTime) {
    // A stage without time has nothing left to show from its first frame.
    if (maxTime <= 0) return 0;
    const double left = 1.0 - static_cast<double>(elapsed) / static_cast<double>(maxTime);
    const int amplitude = NumberToInt(30.0 * left);
    return amplitude < 0 ? 0 : amplitude;
}

int TRingGame::Load(const std::string& name) {
    auto doc = CreateTSCFile();
    LoadTSCFileBB(doc, bDir + "data/ring_levels_lp.bca", name);
    const std::string group = "Settings";
    musicName = GetTSCStringKey(doc, group, "Music", 0);
    maxTime = NumberToInt(GetTSCNumberKey(doc, group, "Time", 0));

    const double length = GetTSCNumberKey(doc, group, "SequenceLength", 0);
    seqMaxLen = NumberToInt(length - 1);
    if (std::isnan(length) || seqMaxLen < 0 || seqMaxLen > RING_RUNES - 1) {
        const int held = seqMaxLen < 0 || std::isnan(length) ? 0 : RING_RUNES - 1;
        Print("Ring level " + name + ": SequenceLength " + TSCNumberText(static_cast<float>(length)) +
              " is outside 1.." + std::to_string(RING_RUNES) + "; " + std::to_string(held + 1) + " is used");
        seqMaxLen = held;
    }

    availableSpells.clear();
    for (const std::string& kind : splitString(GetTSCStringKey(doc, group, "AvailableSpells", 0), " ")) {
        if (ValidSpellKind(kind))
            availableSpells.push_back(kind);
        else
            Print("Ring level " + name + ": spell kind \"" + kind + "\" is not one of 1..6; left out");
    }
    runeTime = NumberToInt(GetTSCNumberKey(doc, group, "RuneTime", 0));
    const int levelNumber = NumberToInt(GetTSCNumberKey(doc, group, "LevelNumber", 0));

    // The hints of an earlier ring level left early must not show before this one.
    popups.Clear();
    auto info = CreateTSCFile();
    LoadTSCFileBB(info, bDir + "data/popups_lp.bca", "infoRG.tsc");
    for (const TTSCGroupPtr& g : GetTSCGroupList(info, "")) {
        if (GetTSCNumberKey(info, g->Name, "Level", 0) == static_cast<float>(levelNumber))
            popups.AddLast(TPopup::Create(info, *g));
    }
    return 0;
}

bool TRingGame::ResumableStage() const {
    if (profile.selectedProfile && profile.selectedProfile->file) {
        const auto marker =
            profile.selectedProfile->file->TryGetNumberKey("Profile", RING_IN_PROGRESS_KEY, 0);
        if (marker && NumberToInt(*marker) == 0) return false;
    }
    return profile.GetNumber("rgTime") < maxTime;
}

void TRingGame::_stopMusic() {
    if (!music) return;
    music->stop();
    music->free();
    if (optionsWindow.music == music) optionsWindow.music = nullptr;
    music = nullptr;
}

int TRingGame::Play(int resume) {
    resetParams();
    createSequence(seqMaxLen, 1);
    music = playMusicStream(musicName, 1, 1.0f);
    if (music) music->update();
    playSound2(sfx[5], nullptr, 0, 1.0f);
    for (const auto& s : spells)
        if (s) s->counter = 0;
    if (resume != 0 && ResumableStage()) {
        LoadFromProfile();
        popups.Clear();
    }
    resetRune();
    SetImageFont(popupManager.font);

    int result = RING_CONTINUE;
    // Set by a close request in the loop or in the menu; the request is used up once read, so
    // later steps of the frame must not override it.
    bool closing = false;
    while (result == RING_CONTINUE && !closing) {
        if (music) music->update();
        deltaTime.Update();
        delta = deltaTime.CurrDelta();
        if (faza == RING_PHASE_PLAY && !popups.IsEmpty()) {
            UpdateInfo();
        } else {
            Update();
            updateSequence();
        }
        Draw(0);
        TRingEmiter::UpdateAll();
        TSpark::UpdateAll();
        mouse.fetchState(0);
        EndFrame();

        // The keys are read every frame so that a press made while a hint waits is dropped,
        // not kept for the frame after the last hint closes.
        const bool menuKey = KeyHit(KEY_ESCAPE) != 0 || KeyHit(KEY_P) != 0;
        const bool cheatKey = KeyHit(KEY_G) != 0;
        auto menu = [&] {
            result = ShowInGameMenuRG();
            if (result == RING_TERMINATE) closing = true;
        };
        if (popups.IsEmpty() && menuButton && menuButton->State() != 0) menu();
        if (!closing && popups.IsEmpty() && menuKey) menu();
        if (faza >= RING_PHASE_OVER) result = RING_TIME_OVER;
        if (AppTerminate()) closing = true;
        if (!closing && faza == RING_PHASE_PLAY && AppSuspended()) menu();
        if (cheatKey && FileType("cheats.txt") != 0) result = RING_TIME_OVER;
    }
    // A stage whose time is up is finished, and paid, before a close of the same frame ends
    // the program; any other close stores the stage to be resumed.
    if (closing && result != RING_TIME_OVER) result = RING_TERMINATE;

    switch (result) {
    case RING_TIME_OVER:
        profile.SetNumber(RING_IN_PROGRESS_KEY, 0, 0);
        SaveToProfile();
        if (closing) _payHits();
        if (closing || Summary() != 0) {
            // The finished stage counts as won, as after its summary: the exit hook stores it so,
            // and "continue" goes on with the map and a fresh next level, which receives the
            // spells won here.
            gameState = 2;
            _stopMusic();
            End();
        }
        popups.Clear();
        ringEmiterList.Clear();
        _stopMusic();
        return 0;
    case RING_MAIN_MENU:
        profile.SetNumber(RING_IN_PROGRESS_KEY, 1, 0);
        SaveToProfile();
        TellIfNotSaved(SaveProfile(1) != 0, false);
        _stopMusic();
        return 1;
    default:
        profile.SetNumber(RING_IN_PROGRESS_KEY, 1, 0);
        SaveToProfile();
        _stopMusic();
        End();
    }
}

int TRingGame::ShowInGameMenuRG() {
    int result = RING_CONTINUE;
    const int64_t start = MilliSecs64();
    const int64_t keptStage = start - Timer;
    const int64_t keptRune = start - runeStart;
    optionsWindow.OpenPause(MENU_OTHER_PAUSE, music);

    while (result == RING_CONTINUE) {
        deltaTime.Update();
        delta = deltaTime.CurrDelta();
        Draw(1);
        optionsWindow.Update();
        optionsWindow.Draw();
        mouse.Draw(1, 1);
        if (music) music->update();
        mouse.fetchState(0);
        TRingEmiter::UpdateAll();
        TSpark::UpdateAll();
        EndFrame(PollOrder::BeforeFlip);

        // A close request is never lost to Esc or a button of the same frame.
        if (AppTerminate() != 0) {
            result = RING_TERMINATE;
            break;
        }
        if (KeyHit(KEY_ESCAPE)) break;
        const int clicked = optionsWindow.clickedButton;
        if (clicked == BUTTON_GAME_OPTIONS)
            optionsWindow.SetState(MENU_GAME_OPTIONS, 0, MENU_WINDOW_X, MENU_WINDOW_Y);
        if (clicked == BUTTON_MAIN_MENU) result = RING_MAIN_MENU;
        if (clicked == BUTTON_RESUME) break;
    }

    const int64_t now = MilliSecs64();
    runeStart = now - keptRune;
    Timer = now - keptStage;
    // The click that closed the menu must not reach the sheets in the next frame.
    optionsWindow.ClosePause();
    return result;
}

void ResetRingGameGlobals() {
    ringGame = TRingGame();
}

} // namespace vsm
