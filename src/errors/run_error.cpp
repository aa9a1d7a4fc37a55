#include "errors/run_error.h"

#include <cmath>

namespace slopekit {

std::string standardDescription(int number)
{
    switch (number) {
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 11: return "Division by zero";
    case 13: return "Type mismatch";
    case 14: return "Out of string space";
    case 424: return "Object required";
    case 438: return "Object doesn't support this property or method";
    case 450: return "Wrong number of arguments or invalid property assignment";
    case 500: return "Variable is undefined";
    case 1002: return "Syntax error";
    case 1005: return "Expected '('";
    case 1006: return "Expected ')'";
    case 1010: return "Expected identifier";
    case 1011: return "Expected '='";
    case 1023: return "Expected expression";
    case 1025: return "Expected end of statement";
    case 1031: return "Invalid number";
    case 1032: return "Invalid character";
    case 1033: return "Unterminated string constant";
    case errnum::EngineException: return "Exception occurred";
    default: return "Application-defined or object-defined error";
    }
}

RunError::RunError(int number, std::string source, std::string description)
    : std::runtime_error(description),
      m_number(number),
      m_source(std::move(source)),
      m_description(std::move(description))
{
}

RunError::RunError(int number, std::string source)
    : RunError(number, std::move(source), standardDescription(number))
{
}

double finiteOrOverflow(double value, const char* source)
{
    if (!std::isfinite(value))
        throw RunError(errnum::Overflow, source);
    return value;
}

}  // namespace slopekit
