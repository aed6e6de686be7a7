#include "platform/InputDevices.h"

#include <SDL.h>

namespace devices {
namespace {

bool gKeys[static_cast<int>(Key::Count)] = {};

SDL_GameController* gController = nullptr;  // a device with a mapping
SDL_Joystick* gJoystick = nullptr;          // else the plain joystick
int gVirtualIndex = -1;
SDL_Joystick* gVirtualHandle = nullptr;  // kept open so that its values can be set
bool gHasFake = false;
ControllerState gFake;

// The pad's direction buttons count as its first two axes as well: on many
// pads they are the axes.
void foldHat(bool left, bool right, bool up, bool down, ControllerState& state) {
    if (left) state.x = -1000;
    if (right) state.x = 1000;
    if (up) state.y = -1000;
    if (down) state.y = 1000;
}

}  // namespace

Key keyForScancode(SDL_Scancode scancode) {
    switch (scancode) {
    case SDL_SCANCODE_UP: return Key::Up;
    case SDL_SCANCODE_DOWN: return Key::Down;
    case SDL_SCANCODE_LEFT: return Key::Left;
    case SDL_SCANCODE_RIGHT: return Key::Right;
    case SDL_SCANCODE_RETURN: return Key::Return;
    case SDL_SCANCODE_KP_ENTER: return Key::KeypadEnter;
    case SDL_SCANCODE_SPACE: return Key::Space;
    case SDL_SCANCODE_Z: return Key::Z;
    case SDL_SCANCODE_ESCAPE: return Key::Escape;
    case SDL_SCANCODE_LSHIFT: return Key::LeftShift;
    case SDL_SCANCODE_RSHIFT: return Key::RightShift;
    case SDL_SCANCODE_X: return Key::X;
    case SDL_SCANCODE_F12: return Key::F12;
    case SDL_SCANCODE_1: return Key::Digit1;
    case SDL_SCANCODE_2: return Key::Digit2;
    case SDL_SCANCODE_3: return Key::Digit3;
    case SDL_SCANCODE_4: return Key::Digit4;
    case SDL_SCANCODE_5: return Key::Digit5;
    case SDL_SCANCODE_6: return Key::Digit6;
    case SDL_SCANCODE_9: return Key::Digit9;
    case SDL_SCANCODE_0: return Key::Digit0;
    default: return Key::Count;
    }
}

bool keyHeld(Key key) {
    const int i = static_cast<int>(key);
    return i >= 0 && i < static_cast<int>(Key::Count) && gKeys[i];
}

void setKeyHeld(Key key, bool held) {
    const int i = static_cast<int>(key);
    if (i >= 0 && i < static_cast<int>(Key::Count)) gKeys[i] = held;
}

void releaseAllKeys() {
    for (bool& k : gKeys) k = false;
}

bool openFirstController() {
    closeController();
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) return false;
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        if (SDL_IsGameController(i)) {
            gController = SDL_GameControllerOpen(i);
            if (gController != nullptr) return true;
        }
        gJoystick = SDL_JoystickOpen(i);
        if (gJoystick != nullptr) return true;
    }
    return false;
}

void closeController() {
    if (gController != nullptr) SDL_GameControllerClose(gController);
    if (gJoystick != nullptr) SDL_JoystickClose(gJoystick);
    gController = nullptr;
    gJoystick = nullptr;
}

bool controllerPresent() { return gHasFake || gController != nullptr || gJoystick != nullptr; }

bool readController(ControllerState& state) {
    state = ControllerState{};
    if (gHasFake) {
        state = gFake;
        return true;
    }
    if (gController != nullptr) {
        SDL_GameControllerUpdate();
        if (!SDL_GameControllerGetAttached(gController)) return false;
        state.x = scaleAxis(SDL_GameControllerGetAxis(gController, SDL_CONTROLLER_AXIS_LEFTX));
        state.y = scaleAxis(SDL_GameControllerGetAxis(gController, SDL_CONTROLLER_AXIS_LEFTY));
        foldHat(SDL_GameControllerGetButton(gController, SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                SDL_GameControllerGetButton(gController, SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                SDL_GameControllerGetButton(gController, SDL_CONTROLLER_BUTTON_DPAD_UP),
                SDL_GameControllerGetButton(gController, SDL_CONTROLLER_BUTTON_DPAD_DOWN), state);
        // Buttons in the order a plain pad numbers them: the bottom face
        // button first (decide), the right one second (cancel).
        const SDL_GameControllerButton order[kControllerButtons] = {
            SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X,
            SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
            SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_LEFTSTICK,
            SDL_CONTROLLER_BUTTON_RIGHTSTICK,
        };
        for (int i = 0; i < kControllerButtons; ++i) state.buttons[i] = SDL_GameControllerGetButton(gController, order[i]) != 0;
        return true;
    }
    if (gJoystick != nullptr) {
        SDL_JoystickUpdate();
        if (!SDL_JoystickGetAttached(gJoystick)) return false;
        if (SDL_JoystickNumAxes(gJoystick) >= 1) state.x = scaleAxis(SDL_JoystickGetAxis(gJoystick, 0));
        if (SDL_JoystickNumAxes(gJoystick) >= 2) state.y = scaleAxis(SDL_JoystickGetAxis(gJoystick, 1));
        if (SDL_JoystickNumHats(gJoystick) >= 1) {
            const Uint8 hat = SDL_JoystickGetHat(gJoystick, 0);
            foldHat(hat & SDL_HAT_LEFT, hat & SDL_HAT_RIGHT, hat & SDL_HAT_UP, hat & SDL_HAT_DOWN, state);
        }
        const int buttons = SDL_JoystickNumButtons(gJoystick);
        for (int i = 0; i < kControllerButtons && i < buttons; ++i) state.buttons[i] = SDL_JoystickGetButton(gJoystick, i) != 0;
        return true;
    }
    return false;
}

void setFakeController(const ControllerState* state) {
    gHasFake = state != nullptr;
    if (state != nullptr) gFake = *state;
}

bool attachVirtualController() {
    if (gVirtualIndex >= 0) return true;
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "virtual controller";
    gVirtualIndex = SDL_JoystickAttachVirtualEx(&desc);
    if (gVirtualIndex < 0) return false;
    gVirtualHandle = SDL_JoystickOpen(gVirtualIndex);
    return gVirtualHandle != nullptr;
}

void setVirtualControllerAxis(int axis, int raw) {
    if (gVirtualHandle != nullptr) SDL_JoystickSetVirtualAxis(gVirtualHandle, axis, static_cast<Sint16>(raw));
}

void setVirtualControllerButton(int button, bool down) {
    if (gVirtualHandle != nullptr) SDL_JoystickSetVirtualButton(gVirtualHandle, button, down ? 1 : 0);
}

void detachVirtualController() {
    if (gVirtualHandle != nullptr) SDL_JoystickClose(gVirtualHandle);
    if (gVirtualIndex >= 0) SDL_JoystickDetachVirtual(gVirtualIndex);
    gVirtualHandle = nullptr;
    gVirtualIndex = -1;
}

int scaleAxis(int raw) {
    if (raw < -32768) raw = -32768;
    if (raw > 32767) raw = 32767;
    return static_cast<int>((static_cast<long long>(raw) + 32768) * 2000 / 65535) - 1000;
}

}  // namespace devices
