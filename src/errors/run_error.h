#pragma once

#include <stdexcept>
#include <string>

namespace slopekit {

// The numbers of the run-time and syntax errors; standardDescription holds the text of each.
namespace errnum {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int OutOfStringSpace = 14;
inline constexpr int ObjectRequired = 424;
inline constexpr int NoSuchMember = 438;
inline constexpr int WrongArgumentCount = 450;
inline constexpr int VariableUndefined = 500;
inline constexpr int SyntaxError = 1002;
inline constexpr int ExpectedCloseParen = 1006;
inline constexpr int ExpectedIdentifier = 1010;
inline constexpr int ExpectedEquals = 1011;
inline constexpr int ExpectedExpression = 1023;
inline constexpr int ExpectedEndOfStatement = 1025;
inline constexpr int InvalidNumber = 1031;
inline constexpr int InvalidCharacter = 1032;
inline constexpr int UnterminatedString = 1033;
inline constexpr int EngineException = -2147352319;  // 0x80020101
}  // namespace errnum

// The standard description of an error number of errnum; a generic text for numbers that
// have none.
std::string standardDescription(int number);

// A run-time error: a number, the source that raised it and its description.
class RunError : public std::runtime_error {
public:
    RunError(int number, std::string source, std::string description);
    // An error with the standard description of its number.
    RunError(int number, std::string source);

    int number() const noexcept { return m_number; }
    const std::string& source() const noexcept { return m_source; }
    const std::string& description() const noexcept { return m_description; }

private:
    int m_number;
    std::string m_source;
    std::string m_description;
};

// A value beyond the double range is an overflow: the value, or a RunError 6 from source.
double finiteOrOverflow(double value, const char* source);

}  // namespace slopekit
