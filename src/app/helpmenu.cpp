#include "app/helpmenu.h"

#include "app/guide.h"
#include "app/texteditor.h"
#include "app/updatefile.h"
#include "mainwindow/mainwindow.h"
#include "reports/reportview.h"
#include "ui/appearance.h"
#include "ui/messages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTimer>

using namespace Qt::StringLiterals;

HelpMenu::HelpMenu(MainWindow *window, QString programFolder, MakerContact contact)
    : QObject(window)
    , m_window(window)
    , m_programFolder(std::move(programFolder))
    , m_contact(std::move(contact))
{
    m_ui.menu = window->menuBar()->addMenu(u"&Hilfe"_s);
    const auto add = [this](const QString &caption, void (HelpMenu::*command)()) {
        QAction *action = m_ui.menu->addAction(caption);
        connect(action, &QAction::triggered, this,
            [this, command] { runCommand(m_window, [this, command] { (this->*command)(); }); });
        return action;
    };
    m_ui.guideAction = add(u"&Bedienungsanleitung..."_s, &HelpMenu::showGuide);
    m_ui.guideAction->setShortcut(QKeySequence(Qt::Key_F1));
    m_ui.guideView = new ReportView(window);
    qApp->installEventFilter(this);
    m_ui.aboutAction = add(u"Programm-&Info"_s, &HelpMenu::showAbout);
    m_ui.homepageAction = add(u"Programm-Home&page..."_s, &HelpMenu::openHomepage);
    m_ui.updateAction = add(u"Programm-&Aktualisierung..."_s, &HelpMenu::startUpdate);
    m_ui.historyAction = add(u"Programm-&Änderungen..."_s, &HelpMenu::showHistory);
    m_ui.mailAction = add(u"&Mail an den Programmierer..."_s, &HelpMenu::writeMail);
    m_ui.donationAction = add(u"&Spenden..."_s, &HelpMenu::openDonationPage);
    connect(m_ui.menu, &QMenu::aboutToShow, this, [this] {
        m_window->updateMenus();
        updateEntries();
    });
    updateEntries();
}

void HelpMenu::updateEntries()
{
    m_ui.updateAction->setVisible(!updaterPath().isEmpty());
    m_ui.historyAction->setEnabled(QFileInfo(historyPath()).isFile());
    m_ui.homepageAction->setVisible(!homepageUrl(m_contact).isEmpty());
    m_ui.mailAction->setVisible(!mailUrl(m_contact).isEmpty());
    m_ui.donationAction->setVisible(!donationUrl(m_contact).isEmpty());
}

void HelpMenu::showGuide()
{
    ReportView *view = m_ui.guideView;
    if (view->isVisible())
        return;
    const QString text = readGuide(guidePath(m_programFolder));
    // An open menu closes, as it does for any other window that opens.
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    view->applyAppearance();
    view->setDocument(QString::fromUtf16(kGuideCaption), text, false);
    m_window->showTextView(view);
}

bool HelpMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier
        || m_ui.guideView->isVisible())
        return false;
    // Opened once the key is handled, not from within the window that received it.
    QTimer::singleShot(0, this, [this] { runCommand(m_window, [this] { showGuide(); }); });
    return true;
}

void HelpMenu::showAbout()
{
    Messages::information(m_window, aboutText(m_contact));
}

void HelpMenu::openHomepage()
{
    QDesktopServices::openUrl(homepageUrl(m_contact));
}

void HelpMenu::openDonationPage()
{
    QDesktopServices::openUrl(donationUrl(m_contact));
}

void HelpMenu::writeMail()
{
    QDesktopServices::openUrl(mailUrl(m_contact));
}

void HelpMenu::startUpdate()
{
    const QString path = updateFilePath();
    const DisplayFont &font = currentFont();
    const UpdateInfo info = {m_window->windowTitle(), QCoreApplication::applicationFilePath(),
        font.font.pointSize(), font.font.family()};
    if (!writeUpdateFile(path, updateFileBytes(info))) {
        Messages::error(m_window,
            u"Es ist ein Fehler beim Aktualisieren aufgetreten!\r\nDie Datei \"%1\" konnte nicht "
            "gespeichert werden."_s.arg(path));
        return;
    }
    QProcess::startDetached(updaterPath(), {u"Tessaro.cfg"_s});
}

void HelpMenu::showHistory()
{
    openInEditor(historyPath());
}

QString HelpMenu::updaterPath() const
{
    for (const QString &name : {u"Velorun"_s, u"Velorun.exe"_s}) {
        if (QFileInfo(m_programFolder + name).isFile())
            return m_programFolder + name;
    }
    return QString();
}

QString HelpMenu::historyPath() const
{
    return m_programFolder + u"History.txt"_s;
}
