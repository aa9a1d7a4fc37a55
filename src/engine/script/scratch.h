#pragma once

#include <deque>
#include <string>

namespace slopekit::script {

// Storage for the texts that one engine call creates; emptied when the next call starts.
class Scratch {
public:
    // The texts of one call hold at most this many bytes in all; beyond it the call fails
    // with error 14 (Out of string space), so a chain of & cannot exhaust memory.
    static constexpr std::size_t MaxText = 16u << 20;

    const std::string* keep(std::string text);
    // Every call starts with it, and most calls keep no text: the check alone is inline.
    void clear()
    {
        if (!m_texts.empty())
            release();
    }

private:
    void release();

    std::deque<std::string> m_texts;
    std::size_t m_used = 0;  // bytes of the texts kept
};

}  // namespace slopekit::script
