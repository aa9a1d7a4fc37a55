#include "engine/script/compile_cache.h"

namespace slopekit::script {

const Program* CompileCache::findStored(std::string_view text)
{
    const auto it = m_programs.find(text);
    if (it == m_programs.end())
        return nullptr;
    m_last = it->second;
    return m_last.get();
}

const Program& CompileCache::insert(std::shared_ptr<const Program> program)
{
    if (m_programs.size() >= Capacity)
        m_programs.clear();
    m_last = program;
    m_programs.emplace(program->source, std::move(program));
    return *m_last;
}

void CompileCache::clear()
{
    m_programs.clear();
    m_last.reset();
}

}  // namespace slopekit::script
