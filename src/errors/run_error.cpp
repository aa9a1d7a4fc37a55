#include "errors/run_error.h"

#include <cmath>

namespace slopekit {

namespace {

struct Described {
    int number;
    const char* description;
};

constexpr Described Descriptions[] = {
    {errnum::InvalidCall, "Invalid procedure call or argument"},
    {errnum::Overflow, "Overflow"},
    {errnum::OutOfMemory, "Out of memory"},
    {errnum::DivisionByZero, "Division by zero"},
    {errnum::TypeMismatch, "Type mismatch"},
    {errnum::OutOfStringSpace, "Out of string space"},
    {errnum::ObjectRequired, "Object required"},
    {errnum::NoSuchMember, "Object doesn't support this property or method"},
    {errnum::WrongArgumentCount, "Wrong number of arguments or invalid property assignment"},
    {errnum::VariableUndefined, "Variable is undefined"},
    {errnum::SyntaxError, "Syntax error"},
    {errnum::ExpectedCloseParen, "Expected ')'"},
    {errnum::ExpectedIdentifier, "Expected identifier"},
    {errnum::ExpectedEquals, "Expected '='"},
    {errnum::ExpectedExpression, "Expected expression"},
    {errnum::ExpectedEndOfStatement, "Expected end of statement"},
    {errnum::InvalidNumber, "Invalid number"},
    {errnum::InvalidCharacter, "Invalid character"},
    {errnum::UnterminatedString, "Unterminated string constant"},
    {errnum::EngineException, "Exception occurred"},
};

}  // namespace

std::string standardDescription(int number)
{
    for (const Described& d : Descriptions)
        if (d.number == number)
            return d.description;
    return "Application-defined or object-defined error";
}

RunError::RunError(int number, std::string source, std::string description)
    : std::runtime_error(description), m_number(number), m_source(std::move(source)),
      m_description(std::move(description))
{
}

RunError::RunError(int number, std::string source) : RunError(number, std::move(source), standardDescription(number)) {}

double finiteOrOverflow(double value, const char* source)
{
    if (!std::isfinite(value))
        throw RunError(errnum::Overflow, source);
    return value;
}

}  // namespace slopekit
