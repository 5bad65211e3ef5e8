// THiscoresScreen: the framed hiscores view that types out the best entries of the quest, endless
// and time-attack tables one after another; THiscoresText is one typed row.
#pragma once

#include "profiles/THiscores.h"
#include "widgets/TFont.h"
#include "widgets/TFrame.h"
#include "widgets/TText.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

class THiscoresText;
using HiscoresTextPtr = std::shared_ptr<THiscoresText>;

// One row of a table: rank, name and score, typed one character at a time.
class THiscoresText {
  public:
    TextPtr text1; // rank column
    TextPtr text2; // name column
    TextPtr text3; // score column, right-aligned to offsetX3 by its full width
    std::string str1, str2, str3;
    int counter = 0;   // characters typed so far over the three strings
    int64_t Timer = 0; // clock when the last character was typed
    int Speed = 20;    // milliseconds that must pass between two characters

    // Column anchors set by the screen's construction, and the rows' top and spacing.
    static int offsetX1, offsetX2, offsetX3;
    static int offsetY, spaceY;

    // Returns a new row with empty texts for the rank (from 1), name and score, at screen row
    // `row` (from 0).
    static HiscoresTextPtr Create(int rank, const std::string& name, int score, const BitmapFontPtr& font1,
                                  const BitmapFontPtr& font2, int row);
    // Types the next character when more than Speed ms have passed, with seven sparks; returns
    // 1 once the whole row has been typed, else 0.
    int Update();
    // Draws the three texts; returns 0.
    int Draw();

  private:
    // Throws the seven sparks of a character just typed into t; rising for the score.
    void Sparks(TText& t, bool rise);
};

// The screen: the caller constructs it, Loads the quest table, then calls Update and Draw once a
// frame until Update returns 1 (all three tables shown) or the player clicks.
class THiscoresScreen {
  public:
    std::vector<HiscoresTextPtr> List;
    BitmapFontPtr font1; // never filled: every text uses font2
    BitmapFontPtr font2;
    int index = 0;     // the row being typed
    int64_t Timer = 0; // clock at the last Load
    int stage = 1;     // table on show: 1 quest, 2 endless, 3 time attack
    std::array<TextPtr, 3> title;
    ImageFramePtr Frame; // the caller writes its alpha to fade it

    // Builds the titles and the nine-slice frame (its pictures are loaded here, a missing one is
    // reported by the image loader and drawn as nothing) and sets the column anchors.
    THiscoresScreen();
    // Replaces the rows by the scores in order and restarts the table's clock; returns 0.
    int Load(const std::vector<TScorePtr>& scores);
    // Types the rows one after another; after 6000 ms moves to the next table. Returns 1 when the
    // third table's time ran out (the quest table is then loaded again), else 0.
    int Update();
    // Draws the frame, the rows, the title and the continue line; returns 0.
    int Draw();
    // Moves to the next table and loads it from `hiscore`; returns 1 when it wrapped to the quest
    // table, else 0.
    int NextStage();
};

} // namespace vsm
