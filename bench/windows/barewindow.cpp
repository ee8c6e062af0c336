// The baseline of the start-up benchmark under Wine: a bare Qt Widgets window with a title, and
// nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
