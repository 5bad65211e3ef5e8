// ModeFrame: the pieces of a board-level frame that the quest, endless and time-attack loops
// share: frame timing, the fade-in, the piece's rotation input and the placement's direction,
// the pointer, and the clearing and music steps of their ways out.
#pragma once

#include <string>

namespace vsm {

// deltaTime.Update(), then delta = deltaTime.CurrDelta().
void StepFrameTimer();
// guiAlpha += 0.03 (per frame, not scaled by delta), at most 1.
void StepGuiAlpha();
// The black 800x600 rectangle at alpha 1 - guiAlpha, leaving white and alpha 1 set.
void DrawFadeOverlay();
// The level song's per-frame update; nothing when the level has no song.
void UpdateLevelMusic();
// Stops and forgets the level song (when there is one), then ends the program.
[[noreturn]] void StopMusicAndEnd();

// The rotation requests of a play frame, only while the ring of spells is idle: the wheel
// behind the baseline turns one way, ahead of it the other (the baseline then jumps to the
// wheel), a held right button turns as the wheel behind. Returns 1 when any request was made,
// whether or not the piece could turn.
int RotationInput(int& wheelBaseline);
// A placement during a quarter turn counts the turn as finished, whatever its target.
void FinishTurnForPlacement();
// 1 when the pointer is right of the line one cell left of the board.
int PointerOnBoardSide();
// The pointer step of a play frame: the cursor off the board or while a spell is aimed, and
// the spell's aiming cursor.
void DrawPlayPointer();

// Drops the comets' particles, the captions, the sparks and the delayed sounds, as every loop
// does before it goes back to the title screen.
void ClearEffectsForTitle();
// The selected player's name for a hiscore entry; empty when no player is selected.
std::string PlayerName();

} // namespace vsm
