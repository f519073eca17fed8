// The smallest Qt Widgets program: one empty window of the main window's
// size. Its start-up time and memory are the floor of Fretquill's.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(681, 545);
    window.show();
    return app.exec();
}
