#include "records/dates.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    initDateNames(QLocale::system());

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("KeinName - Tessaro V1.01"));
    window.show();
    return application.exec();
}
