#include "engine/script/scratch.h"

#include "engine/script/value.h"

namespace slopekit::script {

const std::string* Scratch::keep(std::string text)
{
    if (text.size() > MaxText)
        fault(14);  // Out of string space
    return &m_texts.emplace_back(std::move(text));
}

}  // namespace slopekit::script
