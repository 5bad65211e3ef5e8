// LevelSeams: the level's calls into the magic sphere and their unset answers.
#include "level/LevelSeams.h"

namespace vsm {

void TLevelSeams::SphereLoad(const std::shared_ptr<TTSCFile>& doc) {
    if (sphereLoad)
        sphereLoad(doc);
    else
        unset.Report("sphere loader", "the sphere keeps its colours and capacities");
}

int TLevelSeams::SphereIsFull() {
    if (sphereIsFull) return sphereIsFull();
    unset.Report("sphere goal test", "a sphere goal is never met");
    return 0;
}

} // namespace vsm
