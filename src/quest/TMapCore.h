// TMapCore: the quest map shown between campaign levels, with its level markers (TMapLevel) and
// stage pictures (TMapStage), and the global `map`.
#pragma once

#include "platform/Graphics.h"
#include "widgets/TMenu.h"
#include "widgets/TText.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TAudioStream;

class TMapLevel;
class TMapStage;
using MapLevelPtr = std::shared_ptr<TMapLevel>;
using MapStagePtr = std::shared_ptr<TMapStage>;

// One level marker, centred on (x, y); earlier levels show image2, the current and later ones
// image1, and the current one pulses an overlay over it.
class TMapLevel {
  public:
    float x = 0;
    float y = 0;
    int kind = 0; // 1..5: marker pictures and overlay
    int number = 0;
    int stage = 0;
    float alpha = 1.0f; // pulse of the current level's overlay
    int alphaDir = 0;   // 1 rising, 0 falling
    ImagePtr image1;
    ImagePtr image2;

    // Returns a new marker holding the values and the shared images as given; nothing is checked.
    static MapLevelPtr Create(int number, int stage, int kind, int x, int y, const ImagePtr& image1,
                              const ImagePtr& image2);
    // Draws the marker for the current level `actual` at the screen opacity, stepping the pulse
    // once when it is the current one; a missing picture draws nothing. Returns 0.
    int Draw(int actual, float screenAlpha);
};

// One stage picture at its top-left corner; the current stage glows, later ones are dimmed.
class TMapStage {
  public:
    int number = 0;
    int x = 0;
    int y = 0;
    ImagePtr image;
    std::string imagePath; // relative to bDir

    // Returns a new stage picture loaded from bDir + imagePath; a picture that fails to load
    // leaves `image` null and the stage draws nothing.
    static MapStagePtr Create(int number, const std::string& imagePath, int x, int y);
    // Draws the picture for the current stage `actual` at the screen opacity. Returns 0.
    int Draw(int actual, float screenAlpha);
};

// The map screen: loaded once behind the loading screen, shown after each won campaign level
// that is not the last.
class TMapCore {
  public:
    virtual ~TMapCore() = default;

    ImagePtr background;
    std::array<ImagePtr, 2> captionImages; // "level", then "of"
    std::array<int, 2> captionX{0, 0};
    std::array<std::array<ImagePtr, 2>, 5> pointImages; // [kind - 1][0] image1, [kind - 1][1] image2
    std::array<ImagePtr, 3> migacz;                     // pulsing overlays; 1 for kinds 1-4, 2 for kind 5
    std::vector<MapLevelPtr> mapLevels;
    std::vector<MapStagePtr> mapStages;
    int actualLevel = 0;
    int actualStage = 0;
    std::shared_ptr<TAudioStream> music;
    std::array<TextPtr, 4> caption; // 0 the current level's number, 1 the last level's
    MenuPtr menu = std::make_shared<TMenu>();
    float alpha = 1.0f;
    int fade = 0; // 1 fading in, 0 waiting, -1 fading out
    int returnValue = 0;
    int64_t Timer = 0; // clock at the start of the current fade
    int quit = 0;      // 1 once the fade-out is over

    // Loads the pictures, caption widgets, Play button and the markers and stage pictures of
    // "map.tsc" in the settings archive. Missing pictures leave empty slots and a missing or
    // faulty document leaves the map without markers; ends the program only when the archive
    // itself is gone. Returns 0.
    virtual int Load();
    // Appends a marker at x 800 - x (the document counts x from the right edge); a kind outside
    // 1..5 adds nothing. Returns 0.
    virtual int AddLevel(int number, int stage, int kind, int x, int y);
    // Appends a stage picture exactly where given. Returns 0.
    virtual int AddStage(int number, const std::string& image, int x, int y);
    // Draws, polls and presents one whole frame of the map at the map's opacity. Returns 0.
    virtual int Draw();
    // Runs the map after campaign level i was won: marks level i + 1, fades in, waits for Play or
    // a left click, fades out with the music and returns 0. A negative i returns 0 at once; a
    // close request stops the music and ends the program.
    virtual int Show(int i);

  private:
    void LayOutCaption(int levelNumber);
};

// The one quest map.
extern TMapCore map;

// Rebuilds `map` as the program creates it: nothing loaded, no markers or stage pictures.
void ResetQuestGlobals();

} // namespace vsm
