#ifndef TESSARO_BACKUP_BACKUPWINDOW_H
#define TESSARO_BACKUP_BACKUPWINDOW_H

#include "backup/volumes.h"
#include "ui/adaptivedialog.h"

#include <functional>
#include <memory>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;
class QTextEdit;
class QThread;
class QTimer;
class ScreenReaderFront;
class BackupRun;
class VolumeScan;
struct RunOutcome;

// The backup window, for backup and for restore: it lists the volumes that qualify, copies
// every participant file to or from the chosen volume's backup folder, compares every copy with
// its source, and writes a log that the screen reader reads as it grows. The volumes are asked
// (VolumeScan) and the run goes on threads of their own, so that the window answers meanwhile;
// it closes at once whatever a volume does, but not before a run has ended.
class BackupWindow : public AdaptiveDialog
{
    Q_OBJECT

public:
    struct Ui
    {
        QListWidget *volumeList = nullptr;
        QTextEdit *log = nullptr;
        QPushButton *startButton = nullptr;
        QPushButton *refreshButton = nullptr;
        QPushButton *closeButton = nullptr;
        // "Aktualisieren" (F5), the popup menu of the list and the log.
        QMenu *popupMenu = nullptr;
        QAction *refreshAction = nullptr;
        // Scans the volumes shortly after showing, once the window can be seen.
        QTimer *scanTimer = nullptr;
    };

    BackupWindow(
        QWidget *mainWindow, ScreenReaderFront *front, std::unique_ptr<VolumeSource> volumes);
    ~BackupWindow() override;

    const Ui &ui() const { return m_ui; }

    // Sets the direction, the window's caption and the start button's caption, and the data
    // folder (ending in "/"); the opener calls it before every showing.
    void prepare(BackupDirection direction, const QString &dataFolder);
    BackupDirection direction() const { return m_direction; }
    void setVolumeSource(std::unique_ptr<VolumeSource> volumes);
    bool isRunning() const { return m_worker != nullptr; }
    // Whether volumes are still being asked, up to kAnswerPatience.
    bool isScanning() const;
    // The mount root of the selected list entry; empty when none is selected or it has not
    // answered.
    QString selectedRoot() const;

    // For tests: sees each run before it starts, to set its hooks.
    std::function<void(BackupRun &)> preparingRun;

    // Lists the volumes that qualify as they answer, selects the first one, and tells when there
    // is none.
    void refresh();
    // Backs up to or restores from the selected volume.
    void start();

protected:
    void layoutControls() override;
    void prepareToShow() override;
    void done(int result) override;

private:
    void showVolumes();
    void finishRefresh();
    void updateStartButton();
    void resetLog();
    void appendLog(const QString &line);
    void finishRun(const RunOutcome &outcome);

    Ui m_ui;
    ScreenReaderFront *m_front;
    VolumeScan *m_scan;
    BackupDirection m_direction = BackupDirection::Backup;
    QString m_dataFolder;
    QThread *m_worker = nullptr;
    bool m_closeRequested = false;
    // Whether the user has moved in the volume list since the last refresh.
    bool m_userSelected = false;
    // The newest log line not yet announced: lines that come faster than the screen reader is
    // called are announced as the newest one only.
    QString m_pendingAnnouncement;
    QTimer *m_announceTimer = nullptr;
};

#endif
