// LevelEffectsAside: keeps a paused level's curved-path effects still while a page runs over it.
#pragma once

#include "services/TVolcanoEmiter.h"

#include <vector>

namespace vsm {

// While it lives, the emitters that were in volcanoList when it was made are out of the list, so
// a page that runs the list (with a tile size of its own) neither moves them nor lets them remove
// runes from cells worked out with the page's tiles. On destruction the list holds exactly those
// emitters again, as they were; whatever the page started in between ends with it. Cannot fail.
class LevelEffectsAside {
  public:
    LevelEffectsAside();
    ~LevelEffectsAside();
    LevelEffectsAside(const LevelEffectsAside&) = delete;
    LevelEffectsAside& operator=(const LevelEffectsAside&) = delete;

  private:
    std::vector<VolcanoEmiterPtr> held_;
};

} // namespace vsm
