// The keyboard and the first game controller, read by polling.
//
// The keyboard is a table of held keys fed from key events as the main
// loop takes them (platform/App.h); tests and the headless driver write the
// same table, so injected keys follow the same path as real ones.
#pragma once

namespace devices {

enum class Key : int {
    Up, Down, Left, Right,
    Return, KeypadEnter, Space, Z,    // decide
    Escape, LeftShift, RightShift, X,  // cancel
    F12,
    // Developer keys (read only in the developer mode).
    Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit9, Digit0,
    Count
};

bool keyHeld(Key key);
void setKeyHeld(Key key, bool held);
void releaseAllKeys();

constexpr int kControllerButtons = 10;

// The controller's two axes scaled to -1000..1000 (x right, y down) and its
// first ten buttons.
struct ControllerState {
    int x = 0;
    int y = 0;
    bool buttons[kControllerButtons] = {};
};

// Opens the first attached controller (through its game-controller mapping
// where SDL has one, else as a plain joystick). False when there is none.
bool openFirstController();
void closeController();
bool controllerPresent();
// Reads the controller's current state; false (nothing held) when there is
// no controller or the read fails.
bool readController(ControllerState& state);

// Tests: a controller that is present and reports this state (copied);
// null removes it and returns to the real device.
void setFakeController(const ControllerState* state);

// Tests: SDL's virtual game controller, so that the real controller path
// can be driven. attachVirtualController makes one (app::initialise first);
// axes take raw values (-32768..32767, 0 left stick x, 1 left stick y),
// buttons are numbered in the game-controller order (0 the bottom face
// button, 1 the right one, ...).
bool attachVirtualController();
void setVirtualControllerAxis(int axis, int raw);
void setVirtualControllerButton(int button, bool down);
void detachVirtualController();

// A raw axis value (-32768..32767) scaled linearly to -1000..1000.
int scaleAxis(int raw);

}  // namespace devices
