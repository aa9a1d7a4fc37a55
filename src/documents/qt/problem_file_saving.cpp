#include "documents/qt/problem_file_saving.h"

#include "documents/problem_writer.h"

#include <QSaveFile>

#include <sstream>

namespace slopekit {

void saveProblemFile(const std::string& path, const ProblemToSave& problem)
{
    std::ostringstream text;
    writeProblem(text, problem);
    const std::string bytes = text.str();

    QSaveFile file(QString::fromStdString(path));
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                             static_cast<qint64>(bytes.size()) &&
                         file.commit();
    if (!written)
        throw ProblemFileAccess("The file " + path + " could not be written (" +
                                file.errorString().toStdString() +
                                "). An earlier file of that name is unchanged.");
}

}  // namespace slopekit
