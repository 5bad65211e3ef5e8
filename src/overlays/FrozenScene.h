// FrozenScene: one frame of a paused board level drawn under the overlays.
#pragma once

namespace vsm {

// Draws the level's background, sphere, clock, points, ring, board, boss runes and tokens, then
// runs every effect list once: effects under way keep working while the level is paused. With
// updateBoard non-zero the board's paused per-frame step runs before it is drawn. Nothing is
// updated that would place, fire or cast; no held piece, spell cursor or pointer is drawn.
void DrawFrozenScene(int updateBoard);

// Runs every effect list once, in the level's order: comets, volcanoes, ring emitters, sparks,
// captions, then the delayed sounds.
void UpdateLevelEffects();

} // namespace vsm
