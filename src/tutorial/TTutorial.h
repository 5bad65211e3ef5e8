// TTutorial: the two animated explanation pages (the main page and the boss page) and their loops.
#pragma once

#include "platform/Graphics.h"

#include <array>
#include <cstdint>
#include <memory>

namespace vsm {

class TAudioStream;
class TMagicSphereEmiter;

// Where the pages draw their pictures and what their animations have reached. A page is opened
// by show or show2, which block until the player leaves it.
class TTutorial {
  public:
    ImagePtr bg;                      // page background, drawn at (0, 0) in place of clearing the screen
    ImagePtr Play;                    // the Play button's highlight, drawn while the pointer is over it
    ImagePtr rune;                    // the boss rune of the boss page
    ImagePtr prawy;                   // the mouse control picture of the main page
    int playO = 0;                    // 1 while the pointer is over the Play button
    float runeOffset = 0;             // run demo: slide of the last rune, 0..90, used as an angle
    int podswietlenie = 0;            // run demo: frames counted since the slide ended
    float prawyAlpha = 0;             // phase 0 up to 2 of the control pictures' pulse
    float q2Offset = 0;               // drop demo: fall of the piece, 0..90, used as an angle
    int q2Hilite = 0;                 // drop demo: frames counted since the piece landed
    int q3Angle = 0;                  // rotation demo: angle of the turning piece in degrees
    int q3delay = 0;                  // rotation demo: frames held at a quarter turn
    int q1Stage = 0;                  // main page: 1 row run, 2 column run; boss page: 1 until the burst
    std::array<float, 16> giantset{}; // boss page: appearance level of each rune cell
    int tmFrame = 0;                  // clock demo: clock frame shown, 0..29
    int64_t tmTimer = 0;              // clock demo: millisecond time of the last clock step
    ImagePtr tmImage;                 // clock demo: drawable image of frame tmFrame
    int tmDir = 0;                    // clock demo: 0 the frame index falls, 1 it rises
    std::array<ImagePtr, 2> balls;    // vial demo: ball pictures
    std::array<ImagePtr, 2> sings;    // vial demo: sign pictures
    std::array<float, 2> fill{};      // vial demo: phase of each vial, 0..7
    std::array<int, 2> sp{};          // vial demo: 1 while the vial's ring burst is armed
    std::array<ImagePtr, 3> klocki;   // the three piece pictures, handle at their centre
    int nrKlocka = 0;                 // piece picture shown
    int klocekAlpha = 0;              // its alpha: 0 on the frame of a change, then 1
    int64_t czasKlocka = 0;           // millisecond time of the last change of piece picture
    float klocekSkala = 0;            // its scale, shrinking from 1 to 0.5
    std::array<ImagePtr, 2> rightEq;  // the keyboard picture and the second mouse picture

    // Loads the main page's pictures from the resources folder; a picture that fails to load
    // stays empty and draws nothing. Returns 0.
    int loadGfx();
    // Drops the page pictures except the piece and control pictures; returns 0.
    int free();
    // Loads the boss page's background, boss rune and Play highlight, leaving every other
    // picture as it is; a picture that fails to load stays empty. Returns 0.
    int loadGfx2();
    // Shows the boss page until Play or Escape; flag 1 opens it over a running level (its music
    // plays on, no fades), 0 between screens. Returns 0; a close request ends the program.
    int show2(int flag);
    // Draws one frame of the boss page; returns 0.
    int draw2();
    // Advances the boss page's demonstration by one frame; returns 0.
    int update2();
    // Shows the main page until Play or Escape, flags as for show2. Returns 0 when it was left
    // or not shown at all (the profile's "showTutorial" is 0 or missing), 1 when the system asked
    // the program to close while it was open; that request is raised again for the caller.
    int show(int flag);
    // Draws one frame of the main page; returns 0.
    int Draw();
    // Advances the main page's demonstration by one frame; returns 0.
    int Update();

  private:
    // One frame of a page before its end tests: music, mouse, frame timer, demonstration, the
    // effect lists, an optional black veil (fadeAlpha >= 0), the cursor and the frame's end.
    void _frame(bool boss, const std::shared_ptr<TAudioStream>& music, TMagicSphereEmiter* emiter,
                float fadeAlpha);
    // Runs page frames under a black veil for 250 ms, fading it out (in true) or in.
    void _fade(bool boss, bool in, const std::shared_ptr<TAudioStream>& music, TMagicSphereEmiter* emiter);
    // Runs page frames until Play, Escape or a close request; true for a close request.
    bool _mainLoop(bool boss, const std::shared_ptr<TAudioStream>& music, TMagicSphereEmiter* emiter);
    // Sets the hover flag of the Play button from the pointer.
    void _hoverPlay();
};

// The tutorial pages, alive for the whole run.
extern TTutorial tutorial;

// Rebuilds the tutorial globals (the pages and the help picture) in their start-up state: no
// pictures, every counter 0.
void ResetTutorialGlobals();

} // namespace vsm
