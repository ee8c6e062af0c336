#include "app/startup.h"

#include "app/bringtofront.h"
#include "app/handoverwatcher.h"
#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "mainwindow/mainwindow.h"
#include "records/dates.h"
#include "speech/accessibilityfixes.h"

#include <QAction>
#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Ends the program once the main window has closed, even while a window without a parent window
// is open, for which Qt would keep the program running.
class QuitWhenClosed : public QObject
{
public:
    explicit QuitWhenClosed(MainWindow *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Hide && m_window->isClosing())
            QCoreApplication::quit();
        return false;
    }

private:
    MainWindow *m_window;
};

// Chooses "&Beenden" as the user would: an open dialog is closed first, as by Escape, and the
// command is chosen once none is open any more. Quitting under an open dialog would cut off the
// command that opened it, and a restore would go on writing participant files while the main
// window stores the shown day; a running backup window closes only once its run has ended.
void quitAsTheUserWould(MainWindow *window)
{
    if (!window->isVisible())
        return;
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        // Checked again also while closing the dialog asks a question of its own, which then
        // is the modal window closed next.
        QTimer::singleShot(100, window, [window] { quitAsTheUserWould(window); });
        dialog->close();
        return;
    }
    window->ui().quitAction->trigger();
}

} // namespace

int runProgram(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(u"Tessaro"_s);
    const QString folder = handOverFolderForThisUser();
    InstanceLock lock(folder, kProgramTitle);
    if (lock.acquire() == FileLock::Result::HeldElsewhere)
        return handOverToRunningCopy(folder);

    QApplication application(argc, argv);
    installAccessibilityFixes();
    // Qt's own dialogs and key names in German.
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::German), u"qtbase"_s, u"_"_s,
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslations);
    initDateNames(QLocale::system());
    return runFirstCopy(folder, lock);
}

HandOverHandlers handOverHandlers(MainWindow *window)
{
    return {
        [](const QString &) {},
        [window] { bringProgramToFront(window); },
        [window] { quitAsTheUserWould(window); },
    };
}

int handOverToRunningCopy(const QString &folder)
{
    if (findRunningCopy(folder, kProgramTitle, kProgramTitle))
        HandOverStore(folder, kHandOverKey).write(setFocusRequest());
    return 0;
}

int runFirstCopy(const QString &folder, InstanceLock &lock)
{
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSARO_APP_ID));
    const ProgramWindows windows = createProgramWindows(ProgramPaths::forThisUser());
    MainWindow *mainWindow = windows.mainWindow.get();
    new QuitWhenClosed(mainWindow);
    mainWindow->show();

    std::unique_ptr<HandOverWatcher> watcher;
    if (!folder.isEmpty()) {
        watcher = std::make_unique<HandOverWatcher>(
            HandOverStore(folder, kHandOverKey), mainWindow, handOverHandlers(mainWindow));
        // Leftovers are consumed before a second start can find this copy.
        watcher->startWatching();
        lock.publish(kProgramTitle);
    }
    const int result = QApplication::exec();
    lock.withdraw();
    if (watcher)
        watcher->stopWatching();
    return result;
}
