#include "mainwindow/mainwindow.h"

#include "backup/backupwindow.h"

void MainWindow::backUpDataFiles()
{
    backUpOrRestore(BackupDirection::Backup);
}

void MainWindow::restoreDataFiles()
{
    backUpOrRestore(BackupDirection::Restore);
}

void MainWindow::backUpOrRestore(BackupDirection direction)
{
    storeShownDay();
    const bool restore = direction == BackupDirection::Restore;
    // No participant file is open while it may be replaced.
    const QString name = openParticipantName();
    const int day = m_dayNumber;
    if (restore)
        openParticipant(QString());
    m_ui.backupWindow->applyAppearance();
    m_ui.backupWindow->prepare(direction, m_file.dataFolder());
    m_ui.backupWindow->exec();
    if (!restore)
        return;
    openParticipant(name);
    setDayNumber(day);
}
