#pragma once

#include "shell/clock.h"

#include <cmath>
#include <functional>

namespace slopekit::testing {

// A clock that advances a quarter second at every pause and tells the test about it.
class FakeClock : public Clock {
public:
    explicit FakeClock(double start) : now(start) {}

    double now;  // seconds
    int pauses = 0;
    std::function<void()> onPause;

    std::int64_t currentSecond() override { return static_cast<std::int64_t>(std::floor(now)); }
    void pause() override
    {
        now += 0.25;
        ++pauses;
        if (onPause)
            onPause();
    }
};

}  // namespace slopekit::testing
