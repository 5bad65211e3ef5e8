// TSlidesManager: the names of the level backgrounds the player has revealed.
#include "services/TSlidesManager.h"

#include <algorithm>

namespace vsm {

TSlidesManager slides;

void TSlidesManager::addRevealedImage(const std::string& name) {
    if (std::find(revealedImages.begin(), revealedImages.end(), name) == revealedImages.end())
        revealedImages.push_back(name);
}

} // namespace vsm
