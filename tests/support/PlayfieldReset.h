// PlayfieldReset: the board level's globals — board, level, magic sphere, tokens and ring of
// spells — made fresh for the tests of the screens that run over a level.
#pragma once

namespace vsm::test {

// Fresh board, level, sphere, token and spell-ring globals; the level's board hook and the
// magic hooks installed, the level and ring hooks emptied.
void ResetPlayfield();
// Empties the level and ring hooks and makes the same globals fresh again, for a TearDown.
void ClearPlayfield();

} // namespace vsm::test
