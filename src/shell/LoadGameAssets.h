// LoadGameAssets: every shared image, font, sound and song of the game, loaded once in a fixed
// order behind the loading screen (or straight, for tests and tools).
#pragma once

#include <functional>

namespace vsm {

// Loads, from bDir, the captions, pieces, puzzle, both bitmap fonts, runes, board, menu window,
// gallery, points, sparks, title, profile screen, map, bonuses, ring game, sphere, clock, boss
// runes, spell ring, the shared `data` items (scrolls 2001-2003, image fonts 4000-4005, rope
// 5000), the popups, the preloaded songs, the board, level and interface sounds. progress(k) is
// called for k = 0..4 at the five marks of the loading screen's balls (before the first load,
// between groups, after the last); an empty progress is skipped. Each loader reports its own
// failures; nothing here fails.
void LoadGameAssets(const std::function<void(int mark)>& progress = {});

} // namespace vsm
