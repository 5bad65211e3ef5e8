// TTitleScreen: the title screen (global `titleScreen`) — its pictures and song, the main menu
// loop with its attract mode, the hiscores viewer and the credits.
#pragma once

#include "platform/Graphics.h"
#include "widgets/SharedImageIds.h"

#include <functional>
#include <memory>

namespace vsm {

class TAudioStream;

// What the main menu hands back to the program shell in `action`; the main flow acts on them.
constexpr int TITLE_NOTHING = 0;      // nothing chosen; the main flow then ends the program
constexpr int TITLE_CONTINUE = 1;     // go on with the saved campaign
constexpr int TITLE_LEAVE = 2;        // leave the program; the title ends it itself
constexpr int TITLE_NEW_CAMPAIGN = 3; // start a new campaign

class TTitleScreen {
  public:
    virtual ~TTitleScreen() = default;

    ImagePtr title;                      // backdrop of the main menu and the profile screen
    ImagePtr credits;                    // backdrop of the credits
    ImagePtr hiscores;                   // backdrop of the hiscores viewer
    ImagePtr tytul;                      // never loaded
    ImagePtr ramka2;                     // lent to the menu window: its level-list board
    ImagePtr papirus;                    // lent to the menu window: the small scroll
    ImagePtr papirus2;                   // lent to the menu window: the large scroll
    float alphaOne = 0.0f;               // fade of the front-end loops
    float alphaTwo = 0.0f;               // reset by Prepare, read by nothing
    std::shared_ptr<TAudioStream> music; // the title song while it plays; null when stopped
    int Playing = 0;
    int activeScreen = 0;  // reset by Prepare, read by nothing
    int quit = 0;          // a close request came during a fade; the menu then ends the program
    int action = 0;        // the main menu's result (TITLE_*); inside the viewers their exit code
    int forceHiscores = 0; // the next show opens with the hiscores
    // A button of the menu window clicked while a viewer faded back to the menu, and the window
    // state it was clicked in; the menu answers it in its next frame. 0: none.
    int pendingClick = 0;
    int pendingClickState = 0;
    bool readyAnnounced = false; // TITLE_READY_LINE is printed

    // Loads the pictures from bDir, lends the three backgrounds to the menu window and the title
    // picture to the profile screen (in `data` under DATA_TITLE_BACKGROUND); a picture that fails
    // to load leaves its field (and the borrower's) null. Returns 0.
    virtual int loadGfx();
    // Clears the values of one visit of the menu: alphaOne, alphaTwo, activeScreen, quit, action
    // and a pending click. Returns 0.
    virtual int Prepare();
    // Stops the title song and drops its stream; nothing else when it is stopped. Returns 0.
    virtual int stopMusic();
    // Starts the looping title song from its beginning unless it is playing. Returns 0.
    virtual int playMusic();
    // The main menu: runs until the player chooses a campaign (action 1 or 3); leaving the
    // program, or a close request at any point of the front end, ends the program from inside.
    // Returns 0.
    virtual int show();
    // The hiscores of the three modes, fading from the title picture when withTitle is non-zero
    // and back to it with the menu window. A close request while the tables show ends the
    // program; during a fade it sets quit. Returns 0.
    virtual int showHiscores(int withTitle);
    // The ten credits pages, typed out one after another between fades from and back to the
    // title picture. Close requests act as in showHiscores. Returns 0.
    virtual int showCredits();

  protected:
    // The exit test of a viewer frame: a close request sets action 2; a click, Enter or Space
    // sets action 1.
    void ReadViewerExit();
    // Leaves a viewer: ends the program on a close request (action 2), else clears action and
    // fades from the viewer's page back to the title picture with the menu window, drawPage
    // drawing the page at the alpha it is given. A close request during the fade sets quit; the
    // first button clicked on the window during the fade is kept in pendingClick.
    void FadeBackToTitle(const std::function<void(float pageAlpha)>& drawPage);
};

// The title screen, created at start-up.
extern TTitleScreen titleScreen;

// Printed once, when the title's first frame is on the screen: whoever starts the game and must
// know when it is up (a test, a script) waits for this line instead of a fixed time.
inline constexpr char TITLE_READY_LINE[] = "vessamoor: title ready";

} // namespace vsm
