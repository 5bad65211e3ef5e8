// RealBackend input: the SDL event pump feeding keys, buttons, pointer, wheel, text and app state.
#include "RealBackend.h"

#include "../Input.h"
#include "../Utf8.h"
#include "../audio/TSound.h"
#include "KeyMap.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace vsm {

namespace {

// SDL numbers the middle button 2 and the right 3; the game's are 1 left, 2 right, 3 middle.
int GameButton(Uint8 sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 3;
    default:
        return 0;
    }
}

} // namespace

void RealBackend::Poll() {
    if (videoInit_) {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            HandleEvent(e);
    }
    UpdateAudio();
}

void RealBackend::HandleEvent(const SDL_Event& e) {
    InputState& in = Input();
    auto setPointer = [&](int wx, int wy) {
        float lx = 0, ly = 0;
        WindowToScreen(PointerFit(), static_cast<float>(wx), static_cast<float>(wy), lx, ly);
        in.mouseX = std::clamp(static_cast<int>(std::floor(lx)), 0, kWidth - 1);
        in.mouseY = std::clamp(static_cast<int>(std::floor(ly)), 0, kHeight - 1);
    };
    switch (e.type) {
    case SDL_QUIT:
        in.terminateRequested = true;
        break;
    case SDL_KEYDOWN: {
        int key = VirtualKeyFromScancode(e.key.keysym.scancode);
        if (key > 0 && key < 256) {
            // Held keys repeat; only the first press is a hit.
            if (!e.key.repeat) in.keyHits[key]++;
            in.keyDown[key] = true;
        }
        // Keys with no text of their own still type their control character, repeats too.
        if (key == 13 || key == 8 || key == 27) in.chars.push_back(key);
        break;
    }
    case SDL_KEYUP: {
        int key = VirtualKeyFromScancode(e.key.keysym.scancode);
        if (key > 0 && key < 256) in.keyDown[key] = false;
        break;
    }
    case SDL_TEXTINPUT:
        for (uint32_t cp : DecodeUtf8(e.text.text))
            in.chars.push_back(static_cast<int>(cp));
        break;
    case SDL_MOUSEMOTION:
        setPointer(e.motion.x, e.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        setPointer(e.button.x, e.button.y);
        int b = GameButton(e.button.button);
        if (b == 0) break;
        if (e.type == SDL_MOUSEBUTTONDOWN) {
            in.mouseHits[b]++;
            in.mouseDown[b] = true;
            pressedThisFrame_[b] = true;
            releaseAtFlip_[b] = false;
        } else if (pressedThisFrame_[b]) {
            releaseAtFlip_[b] = true;
        } else {
            in.mouseDown[b] = false;
        }
        break;
    }
    case SDL_MOUSEWHEEL: {
        int steps = e.wheel.y;
        if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
        in.mouseZ += steps;
        break;
    }
    case SDL_WINDOWEVENT: {
        bool wasSuspended = !focused_ || minimised_;
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
            focused_ = false;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            focused_ = true;
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            minimised_ = true;
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            minimised_ = false;
            break;
        default:
            break;
        }
        bool suspended = !focused_ || minimised_;
        if (suspended != wasSuspended) {
            // Keys released while away would otherwise stay down; presses would fire late.
            in.FlushAll();
            in.suspended = suspended;
        }
        break;
    }
    default:
        break;
    }
}

} // namespace vsm
