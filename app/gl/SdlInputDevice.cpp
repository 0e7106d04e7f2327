#include "app/gl/SdlInputDevice.h"

#include "app/gl/Display.h"
#include "app/gl/GameMusic.h"
#include "app/gl/SdlMixerBackend.h"

#include <SDL.h>

#include <cstdlib>
#include <vector>

WindowCentre windowCentre;

namespace {

void (*beforeClose)() = nullptr;

void translateEvent(const SDL_Event& sdlEvent, InputEvent& event) {
    event = InputEvent();
    switch (sdlEvent.type) {
    case SDL_KEYDOWN:
        event.kind = InputEvent::Kind::KeyPress;
        event.key = sdlEvent.key.keysym.sym;
        break;
    case SDL_KEYUP:
        event.kind = InputEvent::Kind::KeyRelease;
        event.key = sdlEvent.key.keysym.sym;
        break;
    case SDL_MOUSEMOTION:
        event.kind = InputEvent::Kind::MouseMotion;
        event.x = sdlEvent.motion.x;
        event.y = sdlEvent.motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN:
        event.kind = InputEvent::Kind::MouseButton;
        event.button = sdlEvent.button.button;
        event.x = sdlEvent.button.x;
        event.y = sdlEvent.button.y;
        break;
    case SDL_JOYAXISMOTION:
        event.kind = InputEvent::Kind::JoystickAxis;
        event.axis = sdlEvent.jaxis.axis;
        event.value = sdlEvent.jaxis.value;
        break;
    case SDL_VIDEORESIZE:
        event.kind = InputEvent::Kind::Resize;
        event.x = sdlEvent.resize.w;
        event.y = sdlEvent.resize.h;
        break;
    }
}

// The one place the game takes SDL events from, waiting or not: what every loop must do is
// done here. The music's notice starts the next track and the search goes on; a close
// request ends the process at once, whichever screen is showing; a press of a key held since
// the screen appeared is dropped, and so is the second click of a double click that opened
// it. False: nothing pending.
bool takeEvent(InputEvent& event, bool wait, HeldKeys& heldKeys, SecondClicks& secondClicks) {
    SDL_Event sdlEvent;
    for (;;) {
        if (wait) {
            // SDL 1.2 reports a failed wait only by its 0: wait again.
            while (SDL_WaitEvent(&sdlEvent) == 0) {
            }
        } else if (SDL_PollEvent(&sdlEvent) == 0) {
            return false;
        }
        if (sdlEvent.type == MUSIC_FINISHED_EVENT) {
            musicPlayer.handleMusicFinished(sdlEvent.user.code);
            continue;
        }
        if (sdlEvent.type == SDL_QUIT) {
            if (beforeClose != nullptr)
                beforeClose();
            std::exit(0);
        }
        translateEvent(sdlEvent, event);
        if (heldKeys.admit(event) && secondClicks.admit(event, SDL_GetTicks()))
            return true;
    }
}

} // namespace

void setBeforeClose(void (*lastWork)()) {
    beforeClose = lastWork;
}

int SdlInputDevice::countJoysticks() {
    return SDL_NumJoysticks();
}

std::string SdlInputDevice::nameJoystick(int index) {
    const char* name = SDL_JoystickName(index);
    return name != nullptr ? name : "";
}

bool SdlInputDevice::openJoystick(int index) {
    joystick = SDL_JoystickOpen(index);
    return joystick != nullptr;
}

int SdlInputDevice::readAxis(int axis) {
    if (joystick == nullptr)
        return 0;
    // The axis cache is otherwise filled only by event pumping, which is not yet switched on
    // when the start-up takes the laptop's first position.
    SDL_JoystickUpdate();
    return SDL_JoystickGetAxis(joystick, axis);
}

void SdlInputDevice::enableJoystickEvents() {
    SDL_JoystickEventState(SDL_ENABLE);
}

void SdlInputDevice::showCursor(bool shown) {
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void SdlInputDevice::warpPointer(int x, int y) {
    SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
    secondClicks.pointerWarped();
}

int SdlInputDevice::windowWidth() {
    return screenWidth();
}

int SdlInputDevice::windowHeight() {
    return screenHeight();
}

bool SdlInputDevice::pollEvent(InputEvent& event) {
    return takeEvent(event, false, heldKeys, secondClicks);
}

void SdlInputDevice::waitEvent(InputEvent& event) {
    takeEvent(event, true, heldKeys, secondClicks);
}

// A warp's motion reaches the X queue before the warp returns; the pump brings it into SDL's.
void SdlInputDevice::discardPointerMotion() {
    SDL_PumpEvents();
    SDL_Event motion;
    while (SDL_PeepEvents(&motion, 1, SDL_GETEVENT, SDL_MOUSEMOTIONMASK) > 0) {
    }
}

void SdlInputDevice::reopenWindow(int width, int height) {
    reopenDisplay(width, height, false);
}

// SDL's key table counts a key down from the moment its press reaches SDL's queue, so after a
// pump it also holds the presses still waiting there: those were made before the screen
// appeared, and are dropped with the rest of the key's presses until its release.
void SdlInputDevice::ignoreHeldKeys() {
    SDL_PumpEvents();
    int count = 0;
    const Uint8* state = SDL_GetKeyState(&count);
    std::vector<int> down;
    for (int key = 0; key < count; ++key)
        if (state[key] != 0)
            down.push_back(key);
    heldKeys.ignore(down);
    ignoreSecondClicks();
}

// SDL 1.2 stamps no time on its events, so a press still queued when the screen shows is
// told apart by peeking at the queue: it was made while the screen before was showing.
void SdlInputDevice::ignoreSecondClicks() {
    SDL_PumpEvents();
    SDL_Event queued[64];
    const int count = SDL_PeepEvents(queued, 64, SDL_PEEKEVENT, SDL_MOUSEBUTTONDOWNMASK);
    int presses = 0;
    for (int i = 0; i < count; ++i) {
        const Uint8 button = queued[i].button.button;
        if (button != SDL_BUTTON_WHEELUP && button != SDL_BUTTON_WHEELDOWN)
            ++presses;
    }
    secondClicks.screenShown(presses);
}
