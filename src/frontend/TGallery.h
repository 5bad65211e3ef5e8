// TGallery: the gallery of the pictures revealed in the quest (global `gallery`), with its
// cross-fades, its buttons and the replay of the shown picture as a picture puzzle.
#pragma once

#include "platform/Graphics.h"

#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TMenu;

// Ids of the gallery's buttons.
constexpr int GALLERY_PREVIOUS = 1;
constexpr int GALLERY_NEXT = 2;
constexpr int GALLERY_FULLSCREEN = 3; // no button carries it; the loop still answers it
constexpr int GALLERY_WALLPAPER = 4;
constexpr int GALLERY_PUZZLE = 5;
constexpr int GALLERY_BACK = 6;

// Shown when the player has revealed no picture yet.
inline const std::string GALLERY_FIRST_PICTURE = "gfx/slides/n-01.jpg";

// True when a revealed picture's path stays inside the resources folder; otherwise prints one
// line and the picture is neither shown nor replayed.
bool RevealedPictureAllowed(const std::string& picture);

class TGallery {
  public:
    virtual ~TGallery() = default;

    ImagePtr bg;              // made from bgjp2 at every Start, drawn over the picture
    ImagePtr Frame;           // unused
    ImagePtr title;           // the heading
    float alphaOne = 0.0f;    // fade-in of the shown picture while no change runs
    float alphaTwo = 0.0f;    // reset by Start, read by nothing
    int actual = 0;           // the shown picture, counted from 1; 0 before any Start
    ImagePtr imgOne;          // the shown picture; during a change the one fading out
    ImagePtr imgTwo;          // during a change the one fading in
    int clickedButton = 0;    // reset by finish, read by nothing
    float changeImage = 0.0f; // 1 when a change begins, falling to 0
    // The revealed pictures (paths under bDir). From Start on this is the slides manager's own
    // list, so what the gallery appends is saved with the profile; null before the first Start.
    std::vector<std::string>* imagesList = nullptr;
    std::shared_ptr<TMenu> menu;
    PixmapPtr bgjp2; // the background as read at loading

    // Reads the background pixmap from bDir; null when it fails. Returns 0.
    virtual int loadGfx();
    // Loads picture number `actual` into imgTwo (null when it fails, silently; null with one line
    // when its path leaves the resources folder). Returns 0.
    virtual int loadSlide();
    // Prepares a showing: background, heading, the profile's list (with the first picture when
    // it is empty), the buttons and a change to picture 1 (flag non-zero) or to the current one
    // (flag 0). With no profile selected the list holds only the first picture. Returns 0.
    virtual int Start(int flag);
    // One frame of the fade-in and the change. Returns 0.
    virtual int Update();
    // Draws the picture, background, heading and buttons. Returns 0.
    virtual int Draw();
    // Runs the gallery until its back button; a close request ends the program. Returns 0.
    virtual int show();
    // Shows the current picture over the whole screen until a left click; returns 1 on a close
    // request, else 0.
    virtual int showFullscreen();
    // Asks for a size in the menu window and replays the shown picture as a picture puzzle, then
    // starts the gallery again on it. A close request while choosing ends the program. Returns 0.
    virtual int playPuzzles();
    // Step to the next or previous picture, wrapping, and start a change; nothing while a change
    // runs or with an empty list. Return 0.
    virtual int nextImage();
    virtual int prevImage();
    // Releases what one showing needs (background, buttons, both pictures). Returns 0.
    virtual int finish();
    // Does nothing. Returns 0.
    virtual int SetWallpaper();

  private:
    // The number of listed pictures; 0 before the first Start.
    int Count() const;
};

// The gallery, created at start-up.
extern TGallery gallery;

} // namespace vsm
