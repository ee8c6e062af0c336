#ifndef TESSARO_APP_HELPMENU_H
#define TESSARO_APP_HELPMENU_H

#include "app/helptexts.h"

#include <QObject>

class MainWindow;
class QAction;
class QMenu;

// The main window's menu "&Hilfe": the about box, the maker's homepage, donation page and mail
// address in the desktop's own programs, the update through the separate updater, and the change
// history in a text editor. Other programs are started and never waited for.
class HelpMenu : public QObject
{
    Q_OBJECT

public:
    struct Ui
    {
        QMenu *menu = nullptr;
        QAction *aboutAction = nullptr;
        QAction *homepageAction = nullptr;
        QAction *updateAction = nullptr;
        QAction *historyAction = nullptr;
        QAction *mailAction = nullptr;
        QAction *donationAction = nullptr;
    };

    // Adds the menu to the window's menu bar. programFolder ends in "/".
    HelpMenu(MainWindow *window, QString programFolder, MakerContact contact);

    const Ui &ui() const { return m_ui; }

    // Runs whenever the menu opens, after the main window's own menu update: the update entry is
    // shown only while the updater lies in the program folder, the history entry enabled only
    // while "History.txt" does. Entries for an address this build does not name stay hidden.
    void updateEntries();

    void showAbout();
    void openHomepage();
    void openDonationPage();
    void writeMail();
    // Writes the update hand-over file and starts the updater with its bare name; when the file
    // cannot be written, says so and starts nothing.
    void startUpdate();
    void showHistory();

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
