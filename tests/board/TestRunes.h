// TestRunes: catalogue entries without art, appended by the board and magic test fixtures.
#pragma once

#include "board/TRuneManager.h"

#include <memory>
#include <string>

namespace vsm::test {

// Appends a rune of the colour class to the catalogue, with its petrify links, and returns it.
inline TRune& AppendTestRune(const std::string& id, int color, int blocked, const std::string& blockedID,
                             const std::string& unblocked) {
    auto rune = std::make_shared<TRune>();
    rune->id = id;
    rune->color = std::to_string(color);
    rune->blocked = blocked;
    rune->blockedID = blockedID;
    rune->unblocked = unblocked;
    davar.List.push_back(rune);
    return *rune;
}

} // namespace vsm::test
