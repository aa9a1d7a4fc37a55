#include "shell/system_clock.h"

#include <chrono>
#include <thread>

namespace slopekit {

std::int64_t SystemClock::currentSecond()
{
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

void SystemClock::pause() { std::this_thread::sleep_for(std::chrono::milliseconds(20)); }

}  // namespace slopekit
