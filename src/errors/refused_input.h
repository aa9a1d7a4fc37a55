#pragma once

#include <stdexcept>

namespace slopekit {

// An input that a computation refuses before it evaluates anything (a point text that is
// no number, a constant that reads the point); what() is the one message that says why.
class RefusedInput : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace slopekit
