// TSlidesManager: the names of the level backgrounds the player has revealed (global slides).
#pragma once

#include <string>
#include <vector>

namespace vsm {

class TSlidesManager {
  public:
    // In order of first reveal, without duplicates (compared exactly, letter case included).
    std::vector<std::string> revealedImages;

    // Appends the name unless an equal one is listed.
    void addRevealedImage(const std::string& name);
};
extern TSlidesManager slides;

} // namespace vsm
