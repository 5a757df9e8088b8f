// platform/sdl/sdlinput.h
// The keyboard and the first game controller under SDL, as the input device's port.
//
// The keyboard state is built from the key events the window's event pump hands to
// HandleEvent, not from SDL_GetKeyboardState: events pushed by tests and replays never reach
// SDL's own state, and a tap shorter than a tick would fall between two reads of it. A key that
// went down since the last read is shown held in the next read even if it is already up again;
// the read after that shows it up. The keyboard side needs no SDL_Init.
//
// The controller is the first device SDL can open: through SDL_GameController when SDL has a
// mapping for it (left stick and D-pad; A, B, X, Y, the shoulders and Start are the reading's
// buttons, in PadButton's order), else as a raw joystick (axes 0 and 1, hat 0, its buttons 0 to
// 6 in that same order). Pads may come and go while the game runs:
// when the open one is unplugged the next attached one is taken, and one plugged in while none
// is open is taken at once. Readings are as of the last event pump. A file of SDL's
// game-controller mappings teaches it pads it does not know.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "platform/ports.h"

struct _SDL_Joystick;
struct _SDL_GameController;
typedef struct _SDL_Joystick SDL_Joystick;
typedef struct _SDL_GameController SDL_GameController;
union SDL_Event;

namespace kipkip {

// One look at a controller, in SDL's terms: the stick from -32768 to 32767 (y grows
// downwards), the D-pad or hat, and the buttons by PadButton.
struct PadSnapshot {
    std::int16_t stickX = 0;
    std::int16_t stickY = 0;
    bool dpadUp = false;
    bool dpadDown = false;
    bool dpadLeft = false;
    bool dpadRight = false;
    std::array<bool, kPadButtonCount> buttons{};
};

// An SDL axis value on the port's scale, -32768..32767 to -100..100, cut toward zero so both
// halves of the stick need the same travel for the same value.
int ScaleAxis(std::int16_t value);

// The reading of a snapshot: the stick scaled; a D-pad direction pushes its axis fully, over
// whatever the stick says (opposite directions together leave the stick's value).
JoystickReading ReadingFromPad(const PadSnapshot& pad);

class SdlInput : public InputPort {
public:
    SdlInput() = default;
    ~SdlInput() override;
    SdlInput(const SdlInput&) = delete;
    SdlInput& operator=(const SdlInput&) = delete;

    // The mappings file to add when controller support starts (empty: none).
    void SetMappingsFile(std::string path) { mappingsFile_ = std::move(path); }
    // Why the mappings file was not taken, or empty.
    const std::string& MappingsError() const { return mappingsError_; }

    // Starts SDL's controller support and opens the first controller attached. True even when
    // there is none, or when controller support cannot start: the keyboard needs neither.
    bool Open() override;
    void Close() override;
    ReadResult ReadKeyboard(KeyboardState& keys) override;
    bool HasJoystick() override;
    bool PollJoystick(JoystickReading& reading) override;

    // Every event of the window's pump comes through here: keys, focus and controllers
    // arriving or leaving. Other events are ignored.
    void HandleEvent(const SDL_Event& event);

private:
    void ReleaseKeys();
    void AddMappings();
    // Opens the device at SDL's device index; false when it cannot be opened.
    bool OpenDevice(int index);
    // Opens the first attached device that can be opened, passing over `gone` (an instance id).
    void OpenFirstDevice(std::int32_t gone);
    void CloseDevice();

    KeyboardState held_{};     // keys down now
    KeyboardState pressed_{};  // keys that went down since the last read
    bool controllersStarted_ = false;
    SDL_GameController* controller_ = nullptr;
    SDL_Joystick* joystick_ = nullptr;  // only when the device has no controller mapping
    std::int32_t instanceId_ = -1;      // of the open device
    std::string mappingsFile_;
    std::string mappingsError_;
};

}  // namespace kipkip
