// Input: the shared input state and the polled queries the game makes of it.
#include "Input.h"

#include "Backend.h"

#include <algorithm>

namespace vsm {

void InputState::FlushAll() {
    std::fill(std::begin(keyHits), std::end(keyHits), 0);
    std::fill(std::begin(keyDown), std::end(keyDown), false);
    std::fill(std::begin(mouseHits), std::end(mouseHits), 0);
    std::fill(std::begin(mouseDown), std::end(mouseDown), false);
    chars.clear();
}

InputState& Input() {
    static InputState state;
    return state;
}

namespace {
bool ValidKey(int key) {
    return key >= 0 && key < KEY_COUNT;
}
bool ValidButton(int button) {
    return button >= 1 && button <= 3;
}
} // namespace

int KeyHit(int key) {
    if (!ValidKey(key)) return 0;
    int hits = Input().keyHits[key];
    Input().keyHits[key] = 0;
    return hits;
}

int KeyDown(int key) {
    return ValidKey(key) && Input().keyDown[key] ? 1 : 0;
}

int GetChar() {
    auto& chars = Input().chars;
    if (chars.empty()) return 0;
    int c = chars.front();
    chars.erase(chars.begin());
    return c;
}

void FlushKeys() {
    InputState& in = Input();
    std::fill(std::begin(in.keyHits), std::end(in.keyHits), 0);
    std::fill(std::begin(in.keyDown), std::end(in.keyDown), false);
    in.chars.clear();
}

int MouseHit(int button) {
    if (!ValidButton(button)) return 0;
    int hits = Input().mouseHits[button];
    Input().mouseHits[button] = 0;
    return hits;
}

int MouseDown(int button) {
    return ValidButton(button) && Input().mouseDown[button] ? 1 : 0;
}

int MouseX() {
    return Input().mouseX;
}
int MouseY() {
    return Input().mouseY;
}
int MouseZ() {
    return Input().mouseZ;
}

void MoveMouse(int x, int y) {
    x = std::clamp(x, 0, 799);
    y = std::clamp(y, 0, 599);
    Input().mouseX = x;
    Input().mouseY = y;
    CurrentBackend().WarpPointer(x, y);
}

void FlushMouse() {
    InputState& in = Input();
    std::fill(std::begin(in.mouseHits), std::end(in.mouseHits), 0);
    std::fill(std::begin(in.mouseDown), std::end(in.mouseDown), false);
}

int AppSuspended() {
    return Input().suspended ? 1 : 0;
}

int AppTerminate() {
    bool requested = Input().terminateRequested;
    Input().terminateRequested = false;
    return requested ? 1 : 0;
}

void RequestTerminate() {
    Input().terminateRequested = true;
}

void PollSystem() {
    CurrentBackend().Poll();
}

} // namespace vsm
