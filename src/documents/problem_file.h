#pragma once

#include "documents/text_encoding.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace slopekit {

// The first line of every problem file.
inline constexpr const char* ProblemFileSignature = "Slopekit";

// A problem as read from a file, checked completely but not yet put into Dimension.
struct LoadedProblem {
    int order = 0;
    std::string equation;
    std::vector<std::string> names;  // order entries, as the file gives them
    std::vector<double> point;       // order entries
    std::vector<std::string> constants;
    FileEncoding encoding = FileEncoding::Utf8;  // what the texts above were read from
};

// What Save writes: the texts as the window holds them. The count and the point are
// read from their texts by the leading-number reading when the file is written.
struct ProblemToSave {
    std::string countText;
    std::string function;
    std::vector<std::string> names;
    std::vector<std::string> pointTexts;  // one per name
    std::vector<std::string> constants;
    // Windows-1252 keeps the bytes of a file read from it, where every character has one.
    FileEncoding encoding = FileEncoding::Utf8;

    bool operator==(const ProblemToSave&) const = default;
};

// The first field of the file is not the signature: not a problem file at all.
class IncompatibleFile : public std::runtime_error {
public:
    IncompatibleFile() : std::runtime_error("Incompatible file") {}
};

// A problem file whose signature is right but whose content is not as written by Save.
// what() names the line and what is wrong with it.
class BadProblemFile : public std::runtime_error {
public:
    BadProblemFile(int line, const std::string& reason)
        : std::runtime_error("Line " + std::to_string(line) + ": " + reason), m_line(line)
    {
    }
    int line() const noexcept { return m_line; }

private:
    int m_line;
};

// A problem file that cannot be opened, read or written; what() names the file.
class ProblemFileAccess : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A problem that cannot be written so that it reads back the same; what() says why.
class ProblemNotSavable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace slopekit
