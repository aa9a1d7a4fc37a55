#pragma once

#include <cstdint>

namespace slopekit {

// The current date and time at one-second resolution, and a short wait; injected so
// that tests of the splash do not have to wait.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t currentSecond() = 0;
    // Waits a short while (a small part of a second) without using the processor.
    virtual void pause() = 0;
};

}  // namespace slopekit
