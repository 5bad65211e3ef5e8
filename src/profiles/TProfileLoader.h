// TProfileLoader: the profile screen (global `profileLoader`) on which the player picks, creates,
// renames and deletes profiles and the very first player types a name.
#pragma once

#include "widgets/TFont.h"
#include "widgets/TMenu.h"
#include "widgets/TText.h"

#include <array>
#include <string>
#include <vector>

namespace vsm {

// The names the panel shows at once: all of them up to this many; beyond it the list scrolls
// and shows one row less, for the marks above and below it.
constexpr int PROFILE_ROWS = 10;

// Screen states: the list, typing a new name, typing a new name for the picked profile,
// confirming a deletion, typing the first player's name, and the two refusals.
constexpr int PROFILES_LIST = 1;
constexpr int PROFILES_NEW = 2;
constexpr int PROFILES_RENAME = 3;
constexpr int PROFILES_DELETE = 4;
constexpr int PROFILES_FIRST_NAME = 5;
constexpr int PROFILES_CANT_DELETE = 6;
constexpr int PROFILES_NO_MORE = 7;

class TProfileLoader {
  public:
    // ok (1), cancel (2), new (3), rename (4), delete (5) of the list. Items 1 and 2 also lend
    // their pictures to other screens' yes/no questions.
    TMenu menu;
    // ok (1) and cancel (2) of the new, rename and delete dialogs.
    TMenu menu2;
    // The single ok (1) of the first-name state and the refusals.
    TMenu menu3;
    // One text per listed profile, in the store's order, showing the name as the font can draw it.
    std::vector<TextPtr> List;
    // The profiles' names as the store lists them, one per entry of List.
    std::vector<std::string> listNames;
    // The first entry of List shown while more names are listed than the panel holds.
    int listTop = 0;
    // The marks above and below the shown names while some are scrolled out of the panel.
    TextPtr textMoreAbove;
    TextPtr textMoreBelow;
    // The name picked on the screen.
    std::string selected;
    int State = 0;
    BitmapFontPtr font;
    // The name being typed, or the name to rename or delete; kept centred on x 400.
    TextPtr text;
    TextPtr textExist;
    std::array<TextPtr, 2> textEnter;
    std::array<TextPtr, 2> textReally;
    std::array<TextPtr, 3> textCant;
    std::array<TextPtr, 3> textNomore;
    // 1 while `text` equals a listed name, or after the store refused the name as taken.
    int nameExist = 0;
    int maxLength = 10;
    // Fade-in of the first-name state; never reset.
    float alpha = 0;
    ImagePtr kursor;
    // Blink phase of the caret.
    float kursorAlpha = 1.0f;

    // Builds the buttons, texts and caret of the screen from the resources folder and fonts[0];
    // a missing button picture is reported by the image loader. Returns 0.
    int Load();
    // Draws and presents one whole frame. Returns 0.
    int Draw();
    // Adds this frame's sparkles and pointer trail and moves, fades and draws every live spark.
    // Returns 0.
    int UpdateSparks();
    // Runs the screen in the given state until the player leaves it; a terminate request ends the
    // program. Returns 0.
    int show(int state);
    // Reads one frame of input and applies it; returns 1 when the screen is to be left, else 0.
    int Update();
    // Rebuilds List from the store's profiles. Returns 0.
    int UpdateList();
    // Advances the caret's blink and applies at most one typed character to `text`. Returns 0.
    int UpdateText();

    // Scrolls the list by the given number of rows, kept within the list, and places the shown
    // names. Returns 0.
    int ScrollList(int rows);
    // Whether the list holds more names than the panel shows at once.
    bool ListScrolls() const;

  private:
    // The wheel's position when it was last read.
    int wheelSeen = 0;
    // Whether List's i-th name is in the panel now.
    bool RowShown(size_t i) const;
    // Scrolls the list so that the selected name is in view.
    void KeepSelectedInView();
    // Sets nameExist from whether `text` equals a listed name.
    void CheckName();
    // Puts `text` centred on x 400.
    void CentreText();
    // The current player's name; "" before any profile exists.
    static std::string Current();
    // Selects the player, loads the player's game state and saves the options document.
    static void Choose(const std::string& name);
};

// The profile screen, created at start-up and loaded by the loading screen.
extern TProfileLoader profileLoader;

} // namespace vsm
