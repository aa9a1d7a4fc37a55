#include "engine/script/script_error.h"

#include <algorithm>

namespace slopekit::script {

ScriptError::ScriptError(const ErrorInfo& info)
    : RunError(info.number, info.source, info.description), m_line(info.line), m_column(info.column), m_text(info.text)
{
}

ErrorInfo locateError(int number, bool syntax, std::string_view source, std::size_t offset)
{
    offset = std::min(offset, source.size());
    ErrorInfo info;
    info.number = number;
    info.source = syntax ? SyntaxSource : RuntimeSource;
    info.description = standardDescription(number);
    const std::string_view before = source.substr(0, offset);
    info.line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
    const std::size_t lineStart = before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
    info.column = static_cast<int>(offset - lineStart) + 1;
    std::size_t lineEnd = source.find('\n', lineStart);
    if (lineEnd == std::string_view::npos)
        lineEnd = source.size();
    if (lineEnd > lineStart && source[lineEnd - 1] == '\r')
        --lineEnd;
    info.text = std::string(source.substr(lineStart, lineEnd - lineStart));
    return info;
}

}  // namespace slopekit::script
