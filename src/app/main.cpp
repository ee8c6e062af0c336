#include "mainwindow/mainwindow.h"

#include "records/dates.h"
#include "speech/accessibilityfixes.h"
#include "speech/screenreaderfront.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    installAccessibilityFixes();

    // Qt's own dialogs and shortcut names in German.
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    initDateNames(QLocale::system());

    MainWindow window(ProgramPaths::forThisUser());
    window.show();
    return application.exec();
}
