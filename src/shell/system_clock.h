#pragma once

#include "shell/clock.h"

namespace slopekit {

class SystemClock : public Clock {
public:
    std::int64_t currentSecond() override;
    void pause() override;
};

}  // namespace slopekit
