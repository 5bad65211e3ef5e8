// TBoardSelector: the board lists of the level-list screen (global `boardSelector`) — the
// player's quest levels, the time-attack and endless boards with the custom levels — the
// selected entry and the small fading preview of it on the play board.
#pragma once

#include <string>
#include <vector>

namespace vsm {

// Which list the selector holds.
constexpr int BOARDS_QUEST = 0;
constexpr int BOARDS_TIMED = 1;
constexpr int BOARDS_ENDLESS = 2;

// Where the preview's cells are centred on screen.
constexpr int PREVIEW_CENTRE_X = 490;
constexpr int PREVIEW_CENTRE_Y = 370;

class TBoardSelector {
  public:
    virtual ~TBoardSelector() = default;

    std::vector<std::string> levels; // level document names or custom level paths, in list order
    int selectedLevel = 0;           // index into levels while it is not empty
    int change = 0;                  // 1 while the preview fades out towards a new selection
    float alpha = 0.0f;              // preview opacity
    int mode = BOARDS_QUEST;

    // Rebuilds levels for list 0 (the profile's "revealedLevels"), 1 or 2 (the board list
    // document, then the custom-levels folder) and selects the first entry. A missing document
    // or folder adds nothing, silently; with no profile selected list 0 is empty. Returns 0.
    virtual int LoadList(int newMode);
    // Appends name to the profile's "revealedLevels" and writes the profile at once. Returns 1
    // when added, 0 when the name was already there (nothing written) or no profile is selected.
    virtual int AddLevel(const std::string& name);
    // Loads the selected entry onto the play board as the preview (archive, "lp-" alias, file)
    // and fades it in from 0. With an empty list or no readable document nothing changes.
    // Returns 0.
    virtual int LoadMiniBoard();
    // Sets the play board's preview tile size, scale and alpha and the selector's alpha to 0.
    // Returns 0.
    virtual int resetParams();
    // Draws the preview at the selector's alpha and steps its fade, loading the newly selected
    // board when a fade-out ends. Returns 0.
    virtual int DrawMiniBoard();
    // Selection steps, wrapping; each raises change. One-steps do nothing on an empty list,
    // five-steps on a list of fewer than 6 entries. Return 0.
    virtual int nextLevel();
    virtual int PrevLevel();
    virtual int NextLevel5();
    virtual int PrevLevel5();
    // Returns the selected entry; "" when the list is empty.
    virtual std::string SelectedLevelName();

  private:
    // Moves the selection by step entries, wrapping; raises change. Nothing when the list holds
    // fewer than minimum entries.
    void Step(int step, size_t minimum);
};

// The board selector, created at start-up.
extern TBoardSelector boardSelector;

// Rebuilds boardSelector as new; start-up calls it once, tests between cases.
void ResetBoardSelector();

} // namespace vsm
