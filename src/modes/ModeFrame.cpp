// ModeFrame: the frame pieces shared by the three board-level loops.
#include "modes/ModeFrame.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "level/TLevelManager.h"
#include "magic/TRingOfSpells.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "services/TCaptions.h"
#include "services/TCometEmiter.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "services/TSoundQ.h"
#include "services/TSpark.h"

namespace vsm {

void StepFrameTimer() {
    deltaTime.Update();
    delta = deltaTime.CurrDelta();
}

void StepGuiAlpha() {
    guiAlpha += 0.03f;
    if (guiAlpha > 1.0f) guiAlpha = 1.0f;
}

void DrawFadeOverlay() {
    SetAlpha(1.0f - guiAlpha);
    SetColor(0, 0, 0);
    DrawRect(0, 0, 800, 600);
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
}

void UpdateLevelMusic() {
    if (level.musicStream) level.musicStream->update();
}

void StopMusicAndEnd() {
    if (level.musicStream) {
        level.musicStream->stop();
        level.musicStream->free();
    }
    level.musicStream = nullptr;
    End();
}

int RotationInput(int& wheelBaseline) {
    int requested = 0;
    if (MouseZ() < wheelBaseline && ringOfSpells.stage == 0) {
        blocks.rotateBlock(1);
        requested = 1;
        wheelBaseline = MouseZ();
    }
    if (MouseZ() > wheelBaseline && ringOfSpells.stage == 0) {
        blocks.rotateBlock(-1);
        requested = 1;
        wheelBaseline = MouseZ();
    }
    if (mouse.rightHolded != 0 && ringOfSpells.stage == 0) {
        blocks.rotateBlock(1);
        requested = 1;
    }
    return requested;
}

void FinishTurnForPlacement() {
    // The piece lands where the player sees it heading; a turn back to direction 0 is a turn
    // like any other.
    if (blocks.newDir != blocks.direction) blocks.direction = blocks.newDir;
}

int PointerOnBoardSide() {
    return mouse.x > board.offsetX - board.tileSize ? 1 : 0;
}

void DrawPlayPointer() {
    if (board.MouseOnBoard() == 0 || ringOfSpells.stage == 1) mouse.Draw(1.0f, 1.0f);
    if (ringOfSpells.stage == 1) ringOfSpells.DrawCursor();
}

void ClearEffectsForTitle() {
    comet.entities.Clear();
    TCaptions::destroyAll();
    TSpark::destroyAll();
    soundQueue.Clear();
}

std::string PlayerName() {
    return profile.selectedProfile ? profile.selectedProfile->name : std::string();
}

} // namespace vsm
