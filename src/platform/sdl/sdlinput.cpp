#include "platform/sdl/sdlinput.h"

#include <SDL.h>

#include <optional>
#include <vector>

#include "platform/files.h"
#include "platform/sdl/scancodes.h"

namespace kipkip {

int ScaleAxis(std::int16_t value)
{
    // Integer division cuts toward zero on both sides.
    if (value < 0) {
        return value * 100 / 32768;
    }
    return value * 100 / 32767;
}

JoystickReading ReadingFromPad(const PadSnapshot& pad)
{
    JoystickReading reading;
    reading.x = ScaleAxis(pad.stickX);
    reading.y = ScaleAxis(pad.stickY);
    if (pad.dpadLeft != pad.dpadRight) {
        reading.x = pad.dpadLeft ? -100 : 100;
    }
    if (pad.dpadUp != pad.dpadDown) {
        reading.y = pad.dpadUp ? -100 : 100;
    }
    reading.buttons = pad.buttons;
    return reading;
}

SdlInput::~SdlInput()
{
    Close();
}

bool SdlInput::Open()
{
    if (controllersStarted_) {
        return true;
    }
    // Controller support brings the joystick and event subsystems with it.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        return true;
    }
    controllersStarted_ = true;
    AddMappings();
    OpenFirstDevice(-1);
    return true;
}

void SdlInput::AddMappings()
{
    if (mappingsFile_.empty()) {
        return;
    }
    // Read through our own file layer, so the size is bounded before SDL sees a byte.
    std::optional<std::vector<std::uint8_t>> text = ReadWholeFile(mappingsFile_);
    if (!text) {
        mappingsError_ = mappingsFile_ + ": cannot be read";
        return;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(text->data(), static_cast<int>(text->size()));
    if (stream == nullptr || SDL_GameControllerAddMappingsFromRW(stream, 1) < 0) {
        mappingsError_ = mappingsFile_ + ": " + SDL_GetError();
    }
}

void SdlInput::Close()
{
    CloseDevice();
    if (controllersStarted_) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        controllersStarted_ = false;
    }
    ReleaseKeys();
}

InputPort::ReadResult SdlInput::ReadKeyboard(KeyboardState& keys)
{
    for (std::size_t i = 0; i < keys.size(); ++i) {
        keys[i] = held_[i] | pressed_[i];
    }
    pressed_.fill(0);
    return ReadResult::Ok;
}

bool SdlInput::HasJoystick()
{
    if (controller_ != nullptr) {
        return SDL_GameControllerGetAttached(controller_) == SDL_TRUE;
    }
    if (joystick_ != nullptr) {
        return SDL_JoystickGetAttached(joystick_) == SDL_TRUE;
    }
    return false;
}

bool SdlInput::PollJoystick(JoystickReading& reading)
{
    if (!HasJoystick()) {
        return false;
    }
    PadSnapshot pad;
    if (controller_ != nullptr) {
        auto button = [this](SDL_GameControllerButton b) {
            return SDL_GameControllerGetButton(controller_, b) != 0;
        };
        pad.stickX = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
        pad.stickY = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY);
        pad.dpadUp = button(SDL_CONTROLLER_BUTTON_DPAD_UP);
        pad.dpadDown = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        pad.dpadLeft = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        pad.dpadRight = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        pad.buttons = {button(SDL_CONTROLLER_BUTTON_A),
                       button(SDL_CONTROLLER_BUTTON_B),
                       button(SDL_CONTROLLER_BUTTON_X),
                       button(SDL_CONTROLLER_BUTTON_Y),
                       button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER),
                       button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER),
                       button(SDL_CONTROLLER_BUTTON_START)};
    } else {
        // A device with fewer axes, hats or buttons reads 0 for those it lacks.
        pad.stickX = SDL_JoystickGetAxis(joystick_, 0);
        pad.stickY = SDL_JoystickGetAxis(joystick_, 1);
        Uint8 hat = SDL_JoystickNumHats(joystick_) > 0 ? SDL_JoystickGetHat(joystick_, 0) : 0;
        pad.dpadUp = (hat & SDL_HAT_UP) != 0;
        pad.dpadDown = (hat & SDL_HAT_DOWN) != 0;
        pad.dpadLeft = (hat & SDL_HAT_LEFT) != 0;
        pad.dpadRight = (hat & SDL_HAT_RIGHT) != 0;
        for (std::size_t b = 0; b < pad.buttons.size(); ++b) {
            pad.buttons[b] = SDL_JoystickGetButton(joystick_, static_cast<int>(b)) != 0;
        }
    }
    reading = ReadingFromPad(pad);
    return true;
}

void SdlInput::HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            // The OS's auto-repeat says nothing new about a key that is already down.
            if (event.key.repeat != 0) {
                return;
            }
            std::uint8_t code = DikFromScancode(event.key.keysym.scancode);
            if (code == 0) {
                return;
            }
            if (event.type == SDL_KEYDOWN) {
                held_[code] = 0x80;
                pressed_[code] = 0x80;
            } else {
                held_[code] = 0;
            }
            return;
        }
        case SDL_WINDOWEVENT:
            // The key-up events of keys released while another window has the keyboard never
            // arrive, so every key counts as released when the focus goes.
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                ReleaseKeys();
            }
            return;
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_JOYDEVICEADDED:
            // A pad with a mapping announces itself twice, first as a controller; the first
            // announcement opens it and the second finds it open. `which` is a device index.
            if (controllersStarted_ && controller_ == nullptr && joystick_ == nullptr) {
                OpenDevice(event.type == SDL_CONTROLLERDEVICEADDED ? event.cdevice.which
                                                                   : event.jdevice.which);
            }
            return;
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_JOYDEVICEREMOVED: {
            // Here `which` is the instance id of the device that left.
            std::int32_t gone = event.type == SDL_CONTROLLERDEVICEREMOVED ? event.cdevice.which
                                                                          : event.jdevice.which;
            if (controllersStarted_ && gone == instanceId_) {
                CloseDevice();
                OpenFirstDevice(gone);
            }
            return;
        }
        default:
            return;
    }
}

void SdlInput::ReleaseKeys()
{
    held_.fill(0);
    pressed_.fill(0);
}

bool SdlInput::OpenDevice(int index)
{
    if (SDL_IsGameController(index)) {
        controller_ = SDL_GameControllerOpen(index);
        if (controller_ != nullptr) {
            instanceId_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller_));
            return true;
        }
    }
    joystick_ = SDL_JoystickOpen(index);
    if (joystick_ != nullptr) {
        instanceId_ = SDL_JoystickInstanceID(joystick_);
        return true;
    }
    return false;
}

void SdlInput::OpenFirstDevice(std::int32_t gone)
{
    int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) != gone && OpenDevice(i)) {
            return;
        }
    }
}

void SdlInput::CloseDevice()
{
    if (controller_ != nullptr) {
        SDL_GameControllerClose(controller_);
        controller_ = nullptr;
    }
    if (joystick_ != nullptr) {
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
    }
    instanceId_ = -1;
}

}  // namespace kipkip
