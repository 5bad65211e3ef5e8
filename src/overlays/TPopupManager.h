// TPopupManager: the information popups of a quest level (global `popupManager`) — the queue of
// the level's popups, the posted gameplay events, the modal popup loop over the frozen scene,
// the assets shared with puzzle mode and the ring game, and the lose screen.
#pragma once

#include "overlays/TPopup.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "services/TList.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TAnimButton;
class TImageButton;

// Results of the lose screen.
constexpr int LOSE_RETRY = 1;
constexpr int LOSE_MAIN_MENU = 2;
constexpr int LOSE_TERMINATE = 3;

class TPopupManager {
  public:
    virtual ~TPopupManager() = default;

    TList<TPopup> queue;                   // the level's popups not yet shown, in document order
    std::vector<std::string> events;       // posted since the last check, no duplicates, in order
    std::shared_ptr<TAnimButton> button;   // OK button of every popup
    std::shared_ptr<TImageButton> button1; // lose screen: retry
    std::shared_ptr<TImageButton> button2; // lose screen: main menu
    ImagePtr go;                           // lose screen panel, handle at its centre
    std::array<ImagePtr, 2> skip;          // skip link: pointer over, pointer away
    FontPtr font;                          // popup text font
    std::array<ImagePtr, 2> whyImg;        // lose reason: no moves, time out
    SoundPtr gameOverSnd;

    // Loads the OK button, the popup font and the lose screen's pictures, buttons and sound from
    // bDir; a file that fails leaves its slot empty and that piece is not drawn or played.
    // Returns 0.
    virtual int Load();
    // Drops the queue and the events, then queues the popups of "info.tsc" whose Level is the
    // campaign position. A missing or faulty document queues nothing. Returns 0.
    virtual int Prepare();
    // Once a frame, when events are posted, popups are queued and the board has settled: shows
    // every queued popup an event calls for, one after another, with the level clock and the
    // petrification paused, then forgets the events. Returns 1 when a terminate request came
    // while a popup was shown (the program is ending), else 0.
    virtual int check();
    // Posts a gameplay event unless an equal one is already waiting. Returns 0.
    virtual int AddEvent(const std::string& name);
    // Empties the queue and the events. Returns 0.
    virtual int Free();
    // Steps the frame timer and draws one frame of the frozen level scene. Returns 0.
    virtual int DrawBase();
    // The modal loop of one popup, until it has faded out after OK. Returns 1 on a terminate
    // request, else 0.
    virtual int ShowPopup(const PopupPtr& popup);
    // The lose screen over the level scene: LOSE_RETRY (also after the skip link, which sets
    // skipLevel), LOSE_MAIN_MENU, or LOSE_TERMINATE on a terminate request.
    virtual int GameOverPopup();
};

// The popup manager, created at start-up.
extern TPopupManager popupManager;

} // namespace vsm
