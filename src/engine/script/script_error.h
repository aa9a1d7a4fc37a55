#pragma once

#include "errors/run_error.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace slopekit::script {

inline constexpr const char* RuntimeSource = "Slopekit expression runtime error";
inline constexpr const char* SyntaxSource = "Slopekit expression syntax error";

// The engine's error object: what the last failing call reported.
struct ErrorInfo {
    int number = 0;
    std::string source;
    std::string description;
    int line = 0;      // 1-based
    int column = 0;    // 1-based
    std::string text;  // the source line of the failing statement or expression
};

// The error with which a failing engine call returns: the numbered run-time error plus
// where it happened.
class ScriptError : public RunError {
public:
    explicit ScriptError(const ErrorInfo& info);

    int line() const noexcept { return m_line; }
    int column() const noexcept { return m_column; }
    const std::string& text() const noexcept { return m_text; }

private:
    int m_line;
    int m_column;
    std::string m_text;
};

// The error object for error `number` found at byte `offset` of `source`.
ErrorInfo locateError(int number, bool syntax, std::string_view source, std::size_t offset);

// A syntax error found while compiling, at a byte offset of the text.
struct SyntaxFault {
    int number;
    std::size_t offset;
};

}  // namespace slopekit::script
