#include "engine/Input.h"

#include "engine/Config.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "platform/InputDevices.h"

std::uint8_t gHeldInput[6];
int gInputCode = 0;
int gLastInputCode = 0;
int gInputRepeat = 0;
int gCommandCode = kNormalPlayCommand;
std::uint8_t gWindowActive = 1;
void (*gReturnToTitleHook)() = nullptr;
bool (*gFieldEventRunningHook)() = nullptr;

namespace {

using devices::Key;

// Stick travel past this, either way, is a direction.
constexpr int kAxisThreshold = 100;

void readControllerInto(bool developerMode) {
    devices::ControllerState pad;
    if (!devices::controllerPresent() || !devices::readController(pad)) return;
    if (pad.x > kAxisThreshold) gHeldInput[kHeldRight] = 1;
    if (pad.x < -kAxisThreshold) gHeldInput[kHeldLeft] = 1;
    if (pad.y > kAxisThreshold) gHeldInput[kHeldDown] = 1;
    if (pad.y < -kAxisThreshold) gHeldInput[kHeldUp] = 1;
    const bool swapped = gConfig[5] == 1;
    if (pad.buttons[swapped ? 1 : 0]) gHeldInput[kHeldDecide] = 1;
    if (pad.buttons[swapped ? 0 : 1]) gHeldInput[kHeldCancel] = 1;
    if (developerMode) {
        const int commands[8] = {1, 2, 3, 4, 5, 6, 99, 100};
        for (int b = 2; b < 10; ++b) {
            if (pad.buttons[b]) gCommandCode = commands[b - 2];
        }
    }
}

void readKeyboardInto(bool developerMode) {
    if (devices::keyHeld(Key::Right)) gHeldInput[kHeldRight] = 1;
    if (devices::keyHeld(Key::Left)) gHeldInput[kHeldLeft] = 1;
    if (devices::keyHeld(Key::Down)) gHeldInput[kHeldDown] = 1;
    if (devices::keyHeld(Key::Up)) gHeldInput[kHeldUp] = 1;
    if (devices::keyHeld(Key::Return) || devices::keyHeld(Key::KeypadEnter) || devices::keyHeld(Key::Space)) {
        gHeldInput[kHeldDecide] = 1;
    }
    if (devices::keyHeld(Key::Escape) || devices::keyHeld(Key::LeftShift) || devices::keyHeld(Key::RightShift)) {
        gHeldInput[kHeldCancel] = 1;
    }
    if (!developerMode) {
        if (devices::keyHeld(Key::Z)) gHeldInput[kHeldDecide] = 1;
        if (devices::keyHeld(Key::X)) gHeldInput[kHeldCancel] = 1;
        return;
    }
    // Developer keys: the digits give the developer commands.
    const struct { Key key; int command; } developerKeys[] = {
        {Key::Digit1, 1}, {Key::Digit2, 2}, {Key::Digit3, 3}, {Key::Digit4, 4},
        {Key::Digit5, 5}, {Key::Digit6, 6}, {Key::Digit9, 99}, {Key::Digit0, 100},
    };
    for (const auto& k : developerKeys) {
        if (devices::keyHeld(k.key)) gCommandCode = k.command;
    }
}

}  // namespace

void resetInput() {
    for (std::uint8_t& h : gHeldInput) h = 0;
    gInputCode = 0;
    gLastInputCode = 0;
    gInputRepeat = 0;
    gCommandCode = kNormalPlayCommand;
    gWindowActive = 1;
}

bool initInput() { return devices::openFirstController(); }

void releaseInput() { devices::closeController(); }

void setWindowActive(bool active) { gWindowActive = active ? 1 : 0; }

int composeInputCode(const std::uint8_t held[6]) {
    if (held[kHeldCancel]) return kInputCancel;
    int code = kInputNone;
    if (held[kHeldRight]) {
        code = held[kHeldDown] ? kInputDownRight : held[kHeldUp] ? kInputUpRight : kInputRight;
    } else if (held[kHeldLeft]) {
        code = held[kHeldDown] ? kInputDownLeft : held[kHeldUp] ? kInputUpLeft : kInputLeft;
    } else if (held[kHeldDown]) {
        code = kInputDown;
    } else if (held[kHeldUp]) {
        code = kInputUp;
    }
    if (held[kHeldDecide]) code += kInputDecide;
    return code;
}

void pollInput() {
    if (gCommandCode != kNormalPlayCommand) gCommandCode = 0;
    for (std::uint8_t& h : gHeldInput) h = 0;
    if (!gWindowActive) {
        // Nothing is delivered while inactive, and the first key after
        // reactivation counts as new.
        gInputCode = 0;
        gInputRepeat = 0;
        gLastInputCode = 0;
        return;
    }
    const bool developerMode = gCommandCode != kNormalPlayCommand;
    readControllerInto(developerMode);
    readKeyboardInto(developerMode);

    if (devices::keyHeld(Key::F12) && gScene != 1000) {
        if (gReturnToTitleHook) gReturnToTitleHook();
        gRedrawRequest[0] = 2;
        gRedrawRequest[1] = 2;
        gScene = 1000;
    }

    const int code = composeInputCode(gHeldInput);
    if (code != gLastInputCode) {
        gInputRepeat = 0;
        gInputCode = code;
        gLastInputCode = code;
    } else if (gScene == 0 && code != kInputCancel && !(gFieldEventRunningHook && gFieldEventRunningHook())) {
        // Walking and jumping on the field repeat every frame.
        gInputCode = code;
    } else if (gInputRepeat < kInputRepeatDelay) {
        gInputCode = 0;
        ++gInputRepeat;
    } else {
        gInputCode = code;
    }
}
