// tests/support/fakeports.h
// Ports that tests drive by hand: a keyboard and controller set field by field, a timer
// service whose clock and expiries the test controls, and a screen that counts frames.
#pragma once

#include <cstdint>
#include <functional>
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

    int presents = 0;
    std::vector<std::uint8_t> last;
};

}  // namespace kipkip::test
