// The floor for start-up: a bare Qt window of the main window's size.

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.resize(781, 677);
    window.show();
    return app.exec();
}
