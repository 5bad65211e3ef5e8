// TOptionsWindow: the one menu window (global `optionsWindow`) — its eleven button screens, the
// fade, the polling of the current screen into clickedButton, the volume and full-screen
// controls, and the drawing of each screen.
#pragma once

#include "platform/Graphics.h"

#include <array>
#include <memory>
#include <vector>

namespace vsm {

class TAudioStream;
class TText;

// Menu states, as the callers name them.
constexpr int MENU_MAIN = 0;
constexpr int MENU_OPTIONS = 1;
constexpr int MENU_QUEST_PAUSE = 2;
constexpr int MENU_RESUME_OR_NEW = 3;
constexpr int MENU_THREE_CHOICES = 4;
constexpr int MENU_QUICK_PLAY = 5;
constexpr int MENU_LEVEL_LIST = 6;
constexpr int MENU_GAME_OPTIONS = 7;
constexpr int MENU_OTHER_PAUSE = 8;
constexpr int MENU_EXIT_QUESTION = 9;
constexpr int MENU_OVERWRITE_QUESTION = 10;

// The menu window's buttons, by the id each is stored under in `data` and reported in
// clickedButton; grouped by the screen that shows them (PolledIds lists them per screen).
enum MenuButton : int {
    // The resume-or-new screen.
    BUTTON_SAVED_RESUME = 1,
    BUTTON_SAVED_NEW_GAME = 2,
    BUTTON_SAVED_MAIN_MENU = 3,
    // The main menu.
    BUTTON_QUICK_PLAY = 10,
    BUTTON_EXIT = 11,
    BUTTON_GALLERY = 14,
    BUTTON_OPTIONS = 15,
    BUTTON_PLAY = 61,
    BUTTON_PROFILE = 81,
    // The options screen's own two, under its volume controls.
    BUTTON_HISCORES = 12,
    BUTTON_CREDITS = 13,
    // The pause screens (the other pause shows resume, options and main menu only).
    BUTTON_RESUME = 20,
    BUTTON_RESTART = 21,
    BUTTON_GAME_OPTIONS = 22,
    BUTTON_MAIN_MENU = 23,
    BUTTON_HELP = 25,
    // The volume controls and back button of both options screens; the two full-screen boxes
    // share a place and only one of them shows.
    BUTTON_MUSIC_DOWN = 40,
    BUTTON_MUSIC_UP = 41,
    BUTTON_SOUND_DOWN = 42,
    BUTTON_SOUND_UP = 43,
    BUTTON_FULLSCREEN_TICKED = 44,
    BUTTON_FULLSCREEN_EMPTY = 45,
    BUTTON_OPTIONS_BACK = 46,
    // The three-choices screen.
    BUTTON_EASY = 51,
    BUTTON_NORMAL = 52,
    BUTTON_HARD = 53,
    // Back, on the three-choices, quick-play and level-list screens.
    BUTTON_BACK = 54,
    // The quick-play screen.
    BUTTON_TIME_ATTACK = 62,
    BUTTON_ENDLESS = 63,
    // The level list.
    BUTTON_LIST_PLAY = 71,
    BUTTON_LIST_NEXT = 72,
    BUTTON_LIST_PREVIOUS = 73,
    BUTTON_LIST_QUEST = 74,
    BUTTON_LIST_TIMED = 75,
    BUTTON_LIST_ENDLESS = 76,
    // The two questions.
    BUTTON_EXIT_YES = 90,
    BUTTON_EXIT_NO = 91,
    BUTTON_OVERWRITE_YES = 92,
    BUTTON_OVERWRITE_NO = 93,
};

// Number of label image slots.
constexpr int MENU_LABELS = 38;

// The caller opens a screen with SetState, then once a frame calls Update and Draw over its own
// scene and acts on clickedButton. The window itself carries out only the volume, full-screen
// and back buttons of the two options screens.
// What the options screens say under the window after the display refused full screen.
inline constexpr const char* FULL_SCREEN_REFUSED = "no full screen on this display";

class TOptionsWindow {
  public:
    virtual ~TOptionsWindow() = default;

    ImagePtr ramka;    // board of the pause, three-choice and in-game options screens
    ImagePtr ramka2;   // board of the level list; stored by the title screen
    ImagePtr papirus;  // small scroll; stored by the title screen
    ImagePtr papirus2; // large scroll of the options screen; stored by the title screen
    float alpha = 0;   // fade: 0 invisible, 1 (or slightly above) opaque
    int x = 0;
    int y = 0;
    std::array<ImagePtr, MENU_LABELS> napisy; // button and label images
    ImagePtr podswietlacz;                    // highlight behind a zoomed button, centred
    ImagePtr plus;
    ImagePtr minus;
    ImagePtr suwak; // one volume step, centred
    ImagePtr ptaszek;
    ImagePtr noPtaszek;
    ImagePtr profileImg;
    int State = 0;
    std::shared_ptr<TAudioStream> music; // target of the music volume buttons; null for none
    ImagePtr helloBg;
    ImagePtr gamePaused;
    std::shared_ptr<TText> helloText;
    ImagePtr ptasznik;
    ImagePtr areYouSure;
    std::array<ImagePtr, 2> arows; // 0 previous (left), 1 next (right)
    int clickedButton = 0;
    int optionsBackType = MENU_QUEST_PAUSE; // where the in-game options' back button leads
    // Set when the display refused full screen, so that the options screen says why its box did
    // not tick; cleared when the window opens another screen.
    bool fullScreenRefused = false;
    // The line that says so, in fonts[0]; made by loadGfx.
    std::shared_ptr<TText> fullScreenNote;

    // Loads the window's pictures from bDir and makes the greeting text in fonts[0]; a picture
    // that fails to load leaves its slot empty and whatever uses it draws nothing. Also lends
    // the frame and highlight to lower screens through `data`. Returns 0.
    virtual int loadGfx();
    // Removes the buttons of the current state from `data`; State is kept. Returns 0.
    virtual int freeState();
    // Leaves the current screen (freeState) and builds the buttons of `state`, restarting the
    // fade when fade is non-zero; a state outside 0..10 builds no button. Returns 0.
    virtual int SetState(int state, int fade, int x, int y);
    // Gives every button stored under ids 0..100 the alpha; ids without a button are skipped.
    // Returns 0.
    virtual int buttonsSetAlpha(float a);
    // One frame of fade and input: polls the current screen's buttons into clickedButton (0 when
    // none) and performs the options screens' own buttons. Buttons missing from `data` are
    // skipped. Returns 0.
    virtual int Update();
    // Draws the current screen over whatever the caller drew. Returns 0.
    virtual int Draw();

    // Opens a pause screen (MENU_QUEST_PAUSE or MENU_OTHER_PAUSE) at the menu window's place with
    // its fade; the music buttons act on `song` and the in-game options' back button leads to
    // this pause screen again.
    void OpenPause(int state, std::shared_ptr<TAudioStream> song);
    // Closes a pause screen: removes its buttons, forgets the song, and drops the keys and the
    // click that closed it (reading the pointer afresh), so that none reaches the game under it.
    void ClosePause();

    // Returns the container ids of a state's buttons in polling order; empty for another state.
    static const std::vector<int>& PolledIds(int state);

  private:
    // How a button of a screen looks: centred with the highlight behind its zoom, centred without
    // it, or the change-profile button (corner-placed, darkening on hover).
    enum class View { Highlight, Centred, Profile };
    struct ButtonSpec {
        int id;
        ImagePtr image;
        int x;
        int y;
        View view = View::Highlight;
    };

    // The volume buttons and full-screen boxes of the options screens, moved by (dx, dy).
    std::vector<ButtonSpec> VolumeControls(int dx, int dy) const;
    void BuildButtons(int state);
    void OptionsAction(int id);
    void SwitchFullScreen(int mode);
    void DrawBackground();
    void DrawButtons();
    void DrawVolumeMarks();
};

// The menu window, created at start-up.
extern TOptionsWindow optionsWindow;

} // namespace vsm
