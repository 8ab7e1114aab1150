#include "host/sdl/Pads.h"

#include <optional>

#include "host/common/PadKeys.h"

namespace quenford::host {

namespace {

enum StickControl : size_t {
    StickUp = SDL_CONTROLLER_BUTTON_MAX,
    StickDown,
    StickLeft,
    StickRight,
};

constexpr int16_t stickPress = 16384;
constexpr int16_t stickRelease = 10923;

// The D-pad and the stick both stand for the arrows.
std::optional<KeyPress> keyFor(size_t control) {
    switch (control) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
        case StickUp:
            return padKey(PadControl::Up);
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        case StickDown:
            return padKey(PadControl::Down);
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        case StickLeft:
            return padKey(PadControl::Left);
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        case StickRight:
            return padKey(PadControl::Right);
        case SDL_CONTROLLER_BUTTON_A:
            return padKey(PadControl::Pick);
        case SDL_CONTROLLER_BUTTON_B:
            return padKey(PadControl::Harvest);
        case SDL_CONTROLLER_BUTTON_START:
            return padKey(PadControl::Start);
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
            return padKey(PadControl::LeftShoulder);
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
            return padKey(PadControl::RightShoulder);
        case SDL_CONTROLLER_BUTTON_BACK:
            return padKey(PadControl::Back);
        default:
            break;
    }
    return std::nullopt;
}

}  // namespace

std::vector<PadKeyChange> Pads::handle(const SDL_Event& event) {
    std::vector<PadKeyChange> changes;
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            if (SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which)) {
                const SDL_JoystickID id =
                    SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
                pads[id].controller.reset(controller);
            }
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (const auto found = pads.find(event.cdevice.which); found != pads.end()) {
                for (size_t control = 0; control < controlCount; ++control) {
                    setControl(found->second, control, false, changes);
                }
                pads.erase(found);
            }
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (const auto found = pads.find(event.cbutton.which); found != pads.end()) {
                setControl(found->second, event.cbutton.button,
                           event.type == SDL_CONTROLLERBUTTONDOWN, changes);
            }
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (const auto found = pads.find(event.caxis.which); found != pads.end()) {
                if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
                    moveStick(found->second, StickRight, StickLeft, event.caxis.value, changes);
                } else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
                    moveStick(found->second, StickDown, StickUp, event.caxis.value, changes);
                }
            }
            break;
        default:
            break;
    }
    return changes;
}

// value grows toward `toward`; each direction is pressed past stickPress and let go
// below stickRelease.
void Pads::moveStick(Pad& pad, size_t toward, size_t away, int16_t value,
                     std::vector<PadKeyChange>& changes) {
    const int along = value;
    const auto direction = [&](size_t control, int amount) {
        const bool wasDown = pad.held[control];
        setControl(pad, control, wasDown ? amount > stickRelease : amount > stickPress, changes);
    };
    direction(away, -along);
    direction(toward, along);
}

void Pads::setControl(Pad& pad, size_t control, bool down, std::vector<PadKeyChange>& changes) {
    if (control >= controlCount || pad.held[control] == down) {
        return;
    }
    pad.held[control] = down;
    const std::optional<KeyPress> key = keyFor(control);
    if (!key) {
        return;
    }
    int& count = holders[key->directInput];
    count += down ? 1 : -1;
    // Only the first control down and the last one up change the key.
    if ((down && count == 1) || (!down && count == 0)) {
        changes.push_back({*key, down});
    }
}

}  // namespace quenford::host
