#pragma once

#include "engine/script/program.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace slopekit::script {

// Compiled forms by their exact text. The text asked for last is checked first, because a
// computation evaluates the same function text hundreds of times in a row.
class CompileCache {
public:
    static constexpr std::size_t Capacity = 512;  // then it starts afresh

    const Program* find(std::string_view text)
    {
        if (const Program* p = last(text))
            return p;
        return findStored(text);
    }
    // The program of the text asked for last, if `text` is that text.
    const Program* last(std::string_view text) const
    {
        return m_last && m_last->source == text ? m_last.get() : nullptr;
    }
    const Program& insert(std::shared_ptr<const Program> program);
    void clear();

private:
    const Program* findStored(std::string_view text);

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, std::shared_ptr<const Program>, Hash, std::equal_to<>> m_programs;
    std::shared_ptr<const Program> m_last;
};

}  // namespace slopekit::script
