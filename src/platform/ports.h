// platform/ports.h
// The small interfaces through which the devices reach the platform. The devices in device/
// are written against these alone; platform/sdl, platform/headless and the scripted input of
// replay/ realise them, and tests hand the devices ports of their own.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kipkip {

// The keyboard as 256 bytes indexed by DirectInput key code (the PC set-1 scan code, with
// 0x80 added for keys sent with the E0 prefix); 0x80 marks a held key.
using KeyboardState = std::array<std::uint8_t, 256>;

// The buttons of a standard controller by their place: SDL's A (south), B (east), X (west),
// Y (north), the two shoulder buttons and Start. Their order is their index in a reading; the
// first three keep the indexes the game's three buttons had when a pad had no more.
enum class PadButton : std::uint8_t {
    South,
    East,
    West,
    North,
    LeftShoulder,
    RightShoulder,
    Start
};
inline constexpr std::size_t kPadButtonCount = 7;

// The first game controller, its stick scaled to -100..100 on both axes (y grows downwards),
// and which of its buttons are held.
struct JoystickReading {
    int x = 0;
    int y = 0;
    std::array<bool, kPadButtonCount> buttons{};  // by PadButton

    bool& Button(PadButton button) { return buttons[static_cast<std::size_t>(button)]; }
    bool Button(PadButton button) const { return buttons[static_cast<std::size_t>(button)]; }
};

class InputPort {
public:
    enum class ReadResult {
        Ok,
        Lost,    // the device lost its input; it is acquired again and this read shows nothing
        Failed,  // nothing could be read
    };

    virtual ~InputPort() = default;

    // Opens the keyboard and looks for a controller; false when there is no keyboard input.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual ReadResult ReadKeyboard(KeyboardState& keys) = 0;
    // Whether a controller is attached now (controllers may come and go while the game runs).
    virtual bool HasJoystick() = 0;
    // False when the attached controller could not be polled.
    virtual bool PollJoystick(JoystickReading& reading) = 0;
};

// How pixels are laid out in memory: bits per pixel and the three channel masks of a pixel read
// as one little-endian number. Masks of 0 mean palette indices (8 bits).
struct PixelFormat {
    int bitsPerPixel = 16;
    std::uint32_t redMask = 0xF800;
    std::uint32_t greenMask = 0x07E0;
    std::uint32_t blueMask = 0x001F;

    int BytesPerPixel() const { return bitsPerPixel / 8; }
    bool operator==(const PixelFormat&) const = default;
};

// A finished frame, borrowed for the length of one call.
struct FrameView {
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;  // bytes from one row to the next
    PixelFormat format;
};

// Where finished frames are shown: the window, or nothing in a headless run. A frame of
// another size than the last one changes the picture's logical size (the full-screen canvas
// is 640x480).
class VideoPort {
public:
    virtual ~VideoPort() = default;
    virtual bool Present(const FrameView& frame) = 0;
    // Full screen (the desktop's size, the picture scaled to fit) or back to the window.
    virtual void SetFullScreen(bool fullScreen) = 0;
};

// A picture decoded from a file, in the pixel format that was asked for.
struct Picture {
    int width = 0;
    int height = 0;
    int pitch = 0;  // bytes from one row to the next
    PixelFormat format;
    std::vector<std::uint8_t> pixels;
    int fileBits = 0;  // the file's own bits per pixel (1, 4, 8, 16, 24 or 32)
};

// Decodes BMP files. A palette colour of pure black becomes pixel value 0 (as does any colour
// whose conversion to the format is 0).
class BitmapPort {
public:
    virtual ~BitmapPort() = default;
    // The picture in `format` (16-bit 5-5-5 or 5-6-5, 24-bit or 32-bit), or nothing with the
    // reason in `error`.
    virtual std::optional<Picture> Decode(std::span<const std::uint8_t> bytes,
                                          const PixelFormat& format, std::string& error) = 0;
};

// Text as a mask of the pixels the glyphs cover: one byte per pixel, non-zero where the text
// is drawn. The top-left corner is where the text is placed.
struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;
};

// Renders text in the game's font: a Japanese Gothic face, 16 pixels, bold, without
// anti-aliasing.
class FontPort {
public:
    virtual ~FontPort() = default;
    // False when there is no usable font (or the text is empty); `sjisText` is Shift-JIS.
    virtual bool Render(std::string_view sjisText, TextMask& mask) = 0;
};

// A periodic timer service: the frame loop in a window, or the headless runner.
class TimerPort {
public:
    virtual ~TimerPort() = default;

    // Starts calling `onExpiry` every `intervalMs` milliseconds, one call at a time; returns the
    // timer's id, or 0 when the service refuses.
    virtual std::uint32_t CreatePeriodic(std::uint32_t intervalMs,
                                         std::function<void()> onExpiry) = 0;
    virtual void Kill(std::uint32_t id) = 0;
    // A millisecond clock; differences are taken modulo 2^32.
    virtual std::uint32_t NowMs() = 0;
};

// An instrument of a General MIDI synthesiser: bank 128 holds the drum kits.
struct MidiPreset {
    static constexpr int kDrumBank = 128;

    int bank = 0;
    int program = 0;

    auto operator<=>(const MidiPreset&) const = default;
};

// Where the music sequencer's messages go: a General MIDI synthesiser.
class MidiOut {
public:
    virtual ~MidiOut() = default;
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual void Short(std::uint32_t message) = 0;               // status | d1 << 8 | d2 << 16
    virtual bool Long(std::span<const std::uint8_t> bytes) = 0;  // a whole F0 ... F7 message
    virtual void Reset() = 0;  // a clean synthesiser: voices cut, all reset
    // The presets the song about to start plays, before it starts: a synthesiser that loads its
    // instruments' samples on demand loads these now, not when the song first selects them.
    virtual void Prepare(std::span<const MidiPreset>) {}
};

// Boxes a player in a window must see and close: they are modal, so the game waits while one
// is up. The text is UTF-8.
class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    // Something the game plays on through (no music, a high score not saved, bad settings).
    virtual void Warn(std::string_view message) = 0;
    // An error that ends the run.
    virtual void ShowError(std::string_view message) = 0;
};

// What the sound output plays: interleaved 16-bit stereo at 44100 Hz, pulled by the output in
// pieces of its own size, on the output's own thread.
class AudioSource {
public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    virtual ~AudioSource() = default;
    // Fills all of out (out.size() / kChannels frames); must neither wait long nor allocate.
    virtual void Pull(std::span<std::int16_t> out) = 0;
};

// What a frame loop asks of the program: a repaint when the window system wants one, and after
// each tick whether to go on.
class LoopListener {
public:
    virtual ~LoopListener() = default;
    virtual void Paint() = 0;
    // Called before tick `tick` (counted from 1) runs.
    virtual void BeforeTick(std::uint64_t) {}
    // Called after tick `tick` (counted from 1); false ends the run.
    virtual bool AfterTick(std::uint64_t tick) = 0;
    // The player asked for a picture of the current frame.
    virtual void SaveScreenshot() = 0;
};

}  // namespace kipkip
