#ifndef TESSARO_APP_HELPMENU_H
#define TESSARO_APP_HELPMENU_H

#include "app/helptexts.h"

#include <QObject>

class MainWindow;
class QAction;
class QMenu;
class ReportView;

// The main window's menu "&Hilfe": the guide in the text view, the about box, the maker's
// homepage, donation page and mail address in the desktop's own programs, the update through the
// separate updater, and the change history in a text editor. Other programs are started and never
// waited for. F1 opens the guide from every window of the program, dialogs and messages included.
class HelpMenu : public QObject
{
    Q_OBJECT

public:
    struct Ui
    {
        QMenu *menu = nullptr;
        QAction *guideAction = nullptr;
        QAction *aboutAction = nullptr;
        QAction *homepageAction = nullptr;
        QAction *updateAction = nullptr;
        QAction *historyAction = nullptr;
        QAction *mailAction = nullptr;
        QAction *donationAction = nullptr;
        // The guide's own text view, so that it opens over a report's view as well.
        ReportView *guideView = nullptr;
    };

    // Adds the menu to the window's menu bar. programFolder ends in "/".
    HelpMenu(MainWindow *window, QString programFolder, MakerContact contact);

    const Ui &ui() const { return m_ui; }

    // Runs whenever the menu opens, after the main window's own menu update: the update entry is
    // shown only while the updater lies in the program folder, the history entry enabled only
    // while "History.txt" does. Entries for an address this build does not name stay hidden.
    void updateEntries();

    // Shows the guide, read-only, over whichever window is open; it can be printed and saved.
    void showGuide();
    void showAbout();
    void openHomepage();
    void openDonationPage();
    void writeMail();
    // Writes the update hand-over file and starts the updater with its bare name; when the file
    // cannot be written, says so and starts nothing.
    void startUpdate();
    void showHistory();

protected:
    // F1 in any window of the program while the main window's own shortcut cannot act: a dialog
    // or a message is open.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // "Velorun" in the program folder, else "Velorun.exe"; empty when neither is there.
    QString updaterPath() const;
    QString historyPath() const;

    Ui m_ui;
    MainWindow *m_window;
    QString m_programFolder;
    MakerContact m_contact;
};

#endif
