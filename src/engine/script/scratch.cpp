#include "engine/script/scratch.h"

#include "engine/script/value.h"
#include "errors/run_error.h"

namespace slopekit::script {

const std::string* Scratch::keep(std::string text)
{
    if (text.size() > MaxText - m_used)
        fault(errnum::OutOfStringSpace);
    m_used += text.size();
    return &m_texts.emplace_back(std::move(text));
}

void Scratch::release()
{
    m_texts.clear();
    m_used = 0;
}

}  // namespace slopekit::script
