// The chart is a graphics widget: the tests need one QApplication for the whole run.
#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // as the window program does
    return RUN_ALL_TESTS();
}
