// tests/support/fakeports.h
// Ports that tests drive by hand: a keyboard and controller set field by field, a timer
// service whose clock and expiries the test controls, and a screen that counts frames.
#pragma once

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace kipkip::test {

class FakeInput : public InputPort {
public:
    bool Open() override { return opens; }
    void Close() override {}
    ReadResult ReadKeyboard(KeyboardState& keys) override
    {
        keys = keyboard;
        ++keyboardReads;
        return keyboardResult;
    }
    bool HasJoystick() override { return joystickAttached; }
    bool PollJoystick(JoystickReading& reading) override
    {
        reading = joystick;
        return pollSucceeds;
    }

    bool opens = true;
    KeyboardState keyboard{};
    ReadResult keyboardResult = ReadResult::Ok;
    int keyboardReads = 0;
    bool joystickAttached = false;
    bool pollSucceeds = true;
    JoystickReading joystick;
};

class FakeTimer : public TimerPort {
public:
    std::uint32_t CreatePeriodic(std::uint32_t intervalMs, std::function<void()> onExpiry) override
    {
        if (refuse) {
            return 0;
        }
        ++created;
        running = nextId++;
        interval = intervalMs;
        expiry = std::move(onExpiry);
        return running;
    }
    void Kill(std::uint32_t id) override
    {
        if (id == running) {
            running = 0;
            expiry = nullptr;
        }
    }
    std::uint32_t NowMs() override { return now; }

    // One expiry of the running timer, if there is one.
    void Expire()
    {
        if (running != 0) {
            expiry();
        }
    }

    bool refuse = false;
    int created = 0;
    std::uint32_t running = 0;
    std::uint32_t nextId = 1;
    std::uint32_t interval = 0;
    std::uint32_t now = 0;
    std::function<void()> expiry;
};

class FakeVideo : public VideoPort {
public:
    bool Present(const FrameView& frame) override
    {
        ++presents;
        last.assign(frame.pixels,
                    frame.pixels + static_cast<std::size_t>(frame.pitch) * frame.height);
        return true;
    }
    void SetFullScreen(bool fullScreen) override { this->fullScreen = fullScreen; }

    int presents = 0;
    bool fullScreen = false;
    std::vector<std::uint8_t> last;
};

// Decodes a made-up text format, so that test bitmaps are readable where they are written:
// "W H p p p ..." with the pixel values already in the target format, row by row.
class FakeBitmaps : public BitmapPort {
public:
    std::optional<Picture> Decode(std::span<const std::uint8_t> bytes, const PixelFormat& format,
                                  std::string& error) override
    {
        std::istringstream in(std::string(bytes.begin(), bytes.end()));
        Picture picture;
        if (!(in >> picture.width >> picture.height)) {
            error = "not a test bitmap";
            return std::nullopt;
        }
        picture.format = format;
        picture.pitch = picture.width * format.BytesPerPixel();
        picture.pixels.resize(static_cast<std::size_t>(picture.pitch) * picture.height);
        for (int i = 0; i < picture.width * picture.height; ++i) {
            std::uint32_t value = 0;
            in >> value;
            for (int b = 0; b < format.BytesPerPixel(); ++b) {
                picture.pixels[i * format.BytesPerPixel() + b] =
                    static_cast<std::uint8_t>(value >> (8 * b));
            }
        }
        ++decodes;
        return picture;
    }

    int decodes = 0;
};

// Every text is the same small block of glyph pixels, or there is no font at all.
class FakeFont : public FontPort {
public:
    bool Render(std::string_view text, TextMask& mask) override
    {
        if (!usable || text.empty()) {
            return false;
        }
        mask.width = static_cast<int>(text.size()) * 2;
        mask.height = 2;
        mask.coverage.assign(static_cast<std::size_t>(mask.width) * mask.height, 1);
        mask.coverage[0] = 0;  // the top-left pixel is background
        return true;
    }

    bool usable = true;
};

}  // namespace kipkip::test
