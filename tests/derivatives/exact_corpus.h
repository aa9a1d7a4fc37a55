#pragma once

// The corpus that scripts/exact_corpus.py writes: functions at points with their
// derivatives from 50-digit symbolic differentiation, one case a line.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace slopekit::testing {

struct CorpusCase {
    std::string name;
    std::vector<std::string> names;
    std::vector<double> point;
    std::string function;
    std::vector<double> gradient;
    std::vector<double> hessian;  // lower triangle row by row: D11, D21, D22, D31, ...
};

inline std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

inline std::vector<double> numbers(const std::string& text)
{
    std::vector<double> out;
    for (const std::string& part : split(text, ','))
        out.push_back(std::stod(part));
    return out;
}

// The cases of the corpus file at path; lines starting with # are comments.
inline std::vector<CorpusCase> readExactCorpus(const char* path)
{
    std::ifstream in(path);
    std::vector<CorpusCase> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = split(line, '\t');
        cases.push_back({.name = f.at(1),
                         .names = split(f.at(2), ','),
                         .point = numbers(f.at(3)),
                         .function = f.at(4),
                         .gradient = numbers(f.at(6)),
                         .hessian = numbers(f.at(7))});
    }
    return cases;
}

// Where second derivative (i, j) stands in a case's hessian, in either order of i and j.
inline std::size_t lowerTriangle(std::size_t i, std::size_t j)
{
    return i >= j ? i * (i + 1) / 2 + j : j * (j + 1) / 2 + i;
}

}  // namespace slopekit::testing
