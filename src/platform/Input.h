// Input: polled keyboard, mouse, typed characters and application events.
#pragma once

#include <string>

namespace vsm {

// Key codes are the Windows virtual-key numbers.
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_TAB = 9;
constexpr int KEY_ENTER = 13;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_SPACE = 32;
constexpr int KEY_PAGEUP = 33;
constexpr int KEY_PAGEDOWN = 34;
constexpr int KEY_END = 35;
constexpr int KEY_HOME = 36;
constexpr int KEY_LEFT = 37;
constexpr int KEY_UP = 38;
constexpr int KEY_RIGHT = 39;
constexpr int KEY_DOWN = 40;
constexpr int KEY_DELETE = 46;
constexpr int KEY_0 = 48;   // digits 48..57
constexpr int KEY_A = 65;   // letters 65..90, the capital's code
constexpr int KEY_F1 = 112; // F1..F12 are 112..123
constexpr int KEY_LSHIFT = 160;
constexpr int KEY_RSHIFT = 161;
constexpr int KEY_LCONTROL = 162;
constexpr int KEY_RCONTROL = 163;
constexpr int KEY_LALT = 164;
constexpr int KEY_RALT = 165;
constexpr int KEY_COUNT = 256;

// Mouse buttons: 1 left, 2 right, 3 middle.

// Presses of the key since the previous KeyHit of that key; the query consumes them.
int KeyHit(int key);
// 1 while the key is held.
int KeyDown(int key);
// Next typed character (Unicode code point) from the queue, 0 when empty. Key repeat feeds it.
int GetChar();
// Drops every pending key hit, held key and typed character.
void FlushKeys();

// Presses of the button since the previous MouseHit of it; the query consumes them.
int MouseHit(int button);
// 1 while the button is held.
int MouseDown(int button);
// Pointer position in 800x600 logical coordinates (through the letterbox).
int MouseX();
int MouseY();
// Accumulated wheel position.
int MouseZ();
// Warps the pointer (logical coordinates, clamped to the screen).
void MoveMouse(int x, int y);
// Drops every pending button hit and held button.
void FlushMouse();

// 1 while the window has lost focus or is minimised.
int AppSuspended();
// 1 once for each close request; reading clears it.
int AppTerminate();
// Raises a close request again, for a screen that read one and closes so that its caller can act
// on it; the next AppTerminate reports it. Cannot fail.
void RequestTerminate();

// Pumps system events into the input state (Flip does it too).
void PollSystem();

} // namespace vsm
