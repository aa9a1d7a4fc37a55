#pragma once

#include <deque>
#include <string>

namespace slopekit::script {

// Storage for the texts that one engine call creates; emptied when the next call starts.
class Scratch {
public:
    // Longer texts fail with error 14 (Out of string space) instead of exhausting memory.
    static constexpr std::size_t MaxText = 16u << 20;

    const std::string* keep(std::string text);
    void clear()
    {
        if (!m_texts.empty())
            m_texts.clear();
    }

private:
    std::deque<std::string> m_texts;
};

}  // namespace slopekit::script
