#include "documents/problem_file_saving.h"

#include "documents/file_replacement.h"
#include "documents/problem_writer.h"

#include <sstream>

namespace slopekit {

void saveProblemFile(const std::string& path, const ProblemToSave& problem)
{
    std::ostringstream text;
    writeProblem(text, problem);
    try {
        replaceFile(path, text.str());
    } catch (const FileNotWritten& failure) {
        throw ProblemFileAccess(notWrittenText(path, failure));
    }
}

}  // namespace slopekit
