// TPopupManager: loading, queueing, events, the check and the modal popup loop.
#include "overlays/TPopupManager.h"

#include "board/TBoardManager.h"
#include "data/BBArchive.h"
#include "data/TTSCFile.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TTimeManager.h"
#include "overlays/FrozenScene.h"
#include "platform/EndFrame.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/Paths.h"
#include "services/TDeltaTime.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "widgets/TAnimButton.h"
#include "widgets/TImageButton.h"

#include <algorithm>
#include <cstdint>

namespace vsm {

TPopupManager popupManager;

namespace {

constexpr int SOUND_SHOW = 3;

} // namespace

int TPopupManager::Load() {
    button =
        CreateAnimButton(bDir + "gfx/info/ok.png", CreateDim(0, 0, 0, 0, 0, 1, 1, 0), 1, 2, 1, 0, 1.0f, -1);
    font = LoadImageFont(bDir + "gfx/fonts/QueenEmpress.ttf", 16, SMOOTHFONT);

    go = LoadImage(bDir + "gfx/gui/lose3.png");
    MidHandleImage(go);
    whyImg[0] = LoadImage(bDir + "gfx/gui/no-more-movies.png");
    whyImg[1] = LoadImage(bDir + "gfx/gui/time_out.png");
    button1 = CreateImageButton(bDir + "gfx/gui/lose3_03.png", CreateDim(318, 302, 0, 0, 0, 1, 1, 0),
                                LOSE_RETRY, 1.0f, 0);
    button2 = CreateImageButton(bDir + "gfx/gui/lose3_05.png", CreateDim(318, 348, 0, 0, 0, 1, 1, 0),
                                LOSE_MAIN_MENU, 1.0f, 0);
    skip[0] = LoadImage(bDir + "gfx/gui/lose3_08.png");
    skip[1] = LoadImage(bDir + "gfx/gui/lose3_08a.png");
    gameOverSnd = LoadSound(bDir + "sfx/fx/playgame-nomoves-timesup.ogg");
    return 0;
}

int TPopupManager::Prepare() {
    Free();
    auto doc = CreateTSCFile();
    LoadTSCFileBB(doc, bDir + "data/popups_lp.bca", "info.tsc");
    for (const TTSCGroupPtr& group : GetTSCGroupList(doc, "")) {
        if (static_cast<double>(GetTSCNumberKey(doc, group->Name, "Level", 0)) == sequencer.seqNo)
            queue.AddLast(TPopup::Create(doc, *group));
    }
    return 0;
}

int TPopupManager::check() {
    if (events.empty() || queue.IsEmpty()) return 0;
    // Popups wait until the board has slid in and faded in.
    if (board.alpha < 1 || board.wjazd > -1) return 0;

    timeManager.PauseOn();
    board.PausePetrify();
    const std::vector<std::string> posted = events;
    for (const std::string& name : posted) {
        for (const PopupPtr& popup : queue.Snapshot()) {
            if (!popup->CanGo(name)) continue;
            if (ShowPopup(popup) != 0) return 1;
            queue.Remove(popup);
        }
    }
    events.clear();
    timeManager.PauseOff();
    board.ResumePetrify();
    return 0;
}

int TPopupManager::AddEvent(const std::string& name) {
    if (std::find(events.begin(), events.end(), name) == events.end()) events.push_back(name);
    return 0;
}

int TPopupManager::Free() {
    queue.Clear();
    events.clear();
    return 0;
}

int TPopupManager::DrawBase() {
    deltaTime.Update();
    delta = deltaTime.CurrDelta();
    DrawFrozenScene(0);
    return 0;
}

int TPopupManager::ShowPopup(const PopupPtr& popup) {
    globalSnd.play(SOUND_SHOW);
    popUpIsOn = 1;
    for (;;) {
        if (AppTerminate()) {
            popUpIsOn = 0;
            return 1;
        }
        mouse.fetchState(0);
        if (level.musicStream) level.musicStream->update();
        Cls();
        DrawBase();
        if (popup->Update(button) != 0) {
            popUpIsOn = 0;
            return 0;
        }
        mouse.Draw(1, 1);
        EndFrame(PollOrder::BeforeFlip);
    }
}

} // namespace vsm
