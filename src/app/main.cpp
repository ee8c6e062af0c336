#include "app/singleinstance.h"
#include "app/startup.h"
#include "records/dates.h"
#include "speech/accessibilityfixes.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Tessaro"));
    const QString folder = handOverFolderForThisUser();
    InstanceLock lock(folder, kProgramTitle);
    if (lock.acquire() == FileLock::Result::HeldElsewhere)
        return handOverToRunningCopy(folder);

    QApplication application(argc, argv);
    installAccessibilityFixes();
    installGermanQtTranslations();
    initDateNames(QLocale::system());
    return runFirstCopy(folder, lock);
}
