#include "documents/problem_file_loading.h"

#include "documents/problem_reader.h"

#include <filesystem>
#include <fstream>

namespace slopekit {

LoadedProblem loadProblemFile(const std::string& path)
{
    std::ifstream in;
    if (!std::filesystem::is_directory(path))
        in.open(path, std::ios::binary);
    if (!in.is_open())
        throw ProblemFileAccess("The file " + path + " cannot be opened.");
    try {
        return readProblem(in);
    } catch (const BadProblemFile& e) {
        if (in.bad())
            throw ProblemFileAccess("The file " + path + " cannot be read.");
        throw;
    }
}

std::string openFailureText(const std::string& path, const std::exception& failure)
{
    if (dynamic_cast<const BadProblemFile*>(&failure))
        return "The file " + path + " does not hold a problem that can be opened.\r" + failure.what();
    return failure.what();
}

}  // namespace slopekit
