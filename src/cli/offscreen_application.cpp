#include "cli/offscreen_application.h"

namespace slopekit::cli {

std::unique_ptr<QApplication> offscreenApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});  // Qt's notes are no errors
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "slopekit-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace slopekit::cli
