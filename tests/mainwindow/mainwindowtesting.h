#ifndef TESSARO_TESTS_MAINWINDOW_MAINWINDOWTESTING_H
#define TESSARO_TESTS_MAINWINDOW_MAINWINDOWTESTING_H

#include "mainwindow/mainwindow.h"

#include "app/programwindows.h"
#include "participants/participantlistdialog.h"
#include "support/recordingscreenreader.h"
#include "support/testfiles.h"
#include "ui/appearance.h"
#include "ui/messages.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

// What the main window's tests share: files, and answering the modal dialogs it opens.

// A participant file of the given days, the newest first: "Tag 1|", "1", separator, ...
inline QByteArray daysFile(int days, const QByteArray &header = "1a|Kommentar")
{
    QByteArray bytes = header + "\r\n";
    for (int day = 1; day <= days; ++day)
        bytes += "Tag " + QByteArray::number(day) + "|\r\n1\r\n<--------------->\r\n";
    return bytes;
}

// Runs the steps once the next modal dialog is open and active (waiting up to five seconds for
// it). A dialog the steps leave open, for instance after a failed check, is cancelled so that
// the test goes on.
template<typename Dialog>
void whenModalOpens(const std::function<void(Dialog *)> &steps)
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, waited, steps] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog && ++*waited < 500)
            return;
        poll->stop();
        poll->deleteLater();
        if (!dialog)
            QFAIL("no modal dialog opened");
        QApplication::setActiveWindow(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto *expected = qobject_cast<Dialog *>(dialog);
        if (expected)
            steps(expected);
        else
            QFAIL(
                qPrintable(QStringLiteral("unexpected dialog \"%1\"").arg(dialog->windowTitle())));
        if (dialog->isVisible())
            dialog->reject();
    });
    poll->start();
}

// What a main-window test runs with: a program folder with its empty data folder, a documents
// folder, a settings file, scripted messages and the default font. The test class calls
// prepare() from init() and tearDown() from cleanup().
class MainWindowTest : public QObject
{
protected:
    void prepare()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_paths = {m_dir->path() + QStringLiteral("/program/"),
            m_dir->path() + QStringLiteral("/documents/"),
            m_dir->path() + QStringLiteral("/settings.ini")};
        QVERIFY(QDir().mkpath(dataFolder()));
        QVERIFY(QDir().mkpath(m_paths.documentsFolder));
        m_messages = std::make_unique<MessageScript>();
        currentFont() = defaultFont();
    }

    void tearDown()
    {
        m_window.reset();
        m_messages.reset();
        m_dir.reset();
    }

    // Creates and shows the window, with these settings or the settings file as it is.
    void showWindow(const std::optional<QByteArray> &settings)
    {
        if (settings)
            QVERIFY(writeBytes(m_paths.settingsFile, *settings));
        m_announced.clear();
        m_window = createProgramWindows(m_paths, recordingFront(&m_announced)).mainWindow;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // Shows the window and waits for the start's folder check 25 ms later: the participant list
    // it opens is cancelled, and the question it asks when the data folder has no participant is
    // answered by the script ("&Nein" unless told otherwise).
    void showPastTheFolderCheck(const QByteArray &settings)
    {
        QTimer cancelList;
        QObject::connect(&cancelList, &QTimer::timeout, [this] {
            if (m_window && m_window->ui().participantListDialog->isVisible())
                m_window->ui().participantListDialog->reject();
        });
        cancelList.start(10);
        showWindow(settings);
        QTRY_VERIFY(!m_window->ui().folderCheckTimer->isActive()
            && !m_window->isCheckingDataFolder()
            && !m_window->ui().participantListDialog->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), m_window.get());
    }

    // The same, with the messages shown so far dropped.
    void showPastTheList(const QByteArray &settings)
    {
        showPastTheFolderCheck(settings);
        m_messages->takeShown();
    }

    QString dataFolder() const { return m_paths.programFolder + QStringLiteral("Tessaro/"); }
    QString pathOf(const QString &name) const
    {
        return dataFolder() + name + QStringLiteral(".dat");
    }
    bool writeParticipant(const QString &name, const QByteArray &bytes)
    {
        return writeBytes(pathOf(name), bytes);
    }
    // The texts of the messages shown so far.
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const ShownMessage &message : m_messages->shown())
            texts.append(message.text);
        return texts;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    ProgramPaths m_paths;
    std::unique_ptr<MessageScript> m_messages;
    // What the window handed the screen reader.
    QStringList m_announced;
    std::unique_ptr<MainWindow> m_window;
};

#endif
