// TPopup: one information popup read from a group of a popup document — a panel with centred
// lines, an optional token or icon picture and an OK button; it fades in, waits for OK and fades
// out.
#pragma once

#include "platform/Graphics.h"

#include <array>
#include <memory>
#include <string>

namespace vsm {

class TTSCFile;
struct TTSCGroup;
class TAnimButton;

// Most text lines a popup holds; a document asking for more shows the first ones.
constexpr int POPUP_MAX_LINES = 100;

class TPopup;
using PopupPtr = std::shared_ptr<TPopup>;

class TPopup {
  public:
    virtual ~TPopup() = default;

    int x = 0, y = 0; // panel's top-left corner
    ImagePtr image;   // panel; null counts as 0 x 0
    int bx = 0, by = 0;
    int ty = 0; // top of the first text line
    std::array<std::string, POPUP_MAX_LINES> text;
    int lines = 0;
    std::string event;
    int active = 0;
    float alpha = 0;
    int condition = 0;
    int spell = 0; // a token kind 1..6 shows its picture; any other value none
    ImagePtr icon; // loaded only when the document's Spell is exactly -1
    int iconX = 0, iconY = 0;
    // 1 once the left button was seen up while this popup was shown: only a press that starts
    // after that counts, so the click that raised the popup (or closed the one before) cannot
    // close it.
    int armed = 0;

    // Returns a new active popup built from the group's keys (read with the group's name as the
    // path). Missing keys read 0 or "" with the usual line; a Lines value is held to 0..100, a
    // panel or icon that fails to load is left null with one diagnostic line.
    static PopupPtr Create(const std::shared_ptr<TTSCFile>& doc, const TTSCGroup& group);
    // One frame: fades, moves `button` to the popup's OK place, takes a fresh press on it (the
    // click-out sound plays once, at the first), then draws panel, lines, picture and button.
    // Returns 1 once the popup has faded out after OK (drawing nothing then), else 0. A null
    // button is neither drawn nor pressed.
    virtual int Update(const std::shared_ptr<TAnimButton>& button);
    // Returns 1 when this popup is to be shown for the event now: its own event, and for
    // "MAKE_MATCH" and "RIGHT_UNUSED" a Condition equal to the level's match count; else 0.
    virtual int CanGo(const std::string& name);
};

} // namespace vsm
