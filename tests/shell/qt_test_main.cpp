// Widget tests need one QApplication for the whole run.
#include "shell/shell_style.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Settings the window stores go to a folder of this run, never the user's own.
    const QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    std::setlocale(LC_NUMERIC, "C");  // as the program does
    QApplication::setStyle(slopekit::createShellStyle());
    return RUN_ALL_TESTS();
}
