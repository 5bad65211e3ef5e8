// LevelEffectsAside: keeps a paused level's curved-path effects still while a page runs over it.
#include "tutorial/LevelEffectsAside.h"

namespace vsm {

LevelEffectsAside::LevelEffectsAside() : held_(volcanoList.Snapshot()) {
    volcanoList.Clear();
}

LevelEffectsAside::~LevelEffectsAside() {
    volcanoList.Clear();
    for (auto& e : held_)
        volcanoList.AddLast(e);
}

} // namespace vsm
