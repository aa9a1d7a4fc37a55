// Placeholder window until the main window lands.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Slopekit");
    window.resize(632, 434);
    window.show();
    return app.exec();
}
