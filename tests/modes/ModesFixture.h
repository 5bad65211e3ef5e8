// ModesFixture: the whole-game fixture with level documents that leave nothing to chance (one
// rune kind, fixed pieces) and helpers that wait for the board and click its cells.
#pragma once

#include "platform/Input.h"
#include "support/GameFixture.h"

#include <string>
#include <vector>

namespace vsm::test {

// Opens the pause menu with Esc and, once its buttons have shown for a few frames, clicks the
// button stored under id. `done` once the click has been given.
struct MenuChoice {
    int id;
    int shown = 0;
    bool escSent = false;
    bool done = false;
    void Step(FrameInput& in) {
        if (done) return;
        if (!escSent) {
            in.keysHit = {KEY_ESCAPE};
            escSent = true;
        } else if (GameFixture::ButtonShown(id) && ++shown > 3) {
            in = GameFixture::ClickButton(id);
            done = true;
        }
    }
};

class ModesFixture : public GameFixture {
  protected:
    // A level document: `settings` goes into Settings::Level (besides Number), `board` rows are
    // the board's first rows from column 0 ('1' a cell, anything else a hole), `runes` rows
    // preset runes ('1'..'6', anything else none).
    static std::string LevelDoc(const std::string& settings, const std::vector<std::string>& board,
                                const std::vector<std::string>& runes = {});
    // True once the board has slid in and can be clicked where it stands.
    static bool BoardSettled();
    // Runs of three of the pieces' rune clear; the number of runes on the board.
    static int RunesOnBoard();
};

} // namespace vsm::test
