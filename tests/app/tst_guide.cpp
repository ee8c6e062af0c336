#include "app/guide.h"
#include "app/helpmenu.h"

#include "backup/backupwindow.h"
#include "mainwindow/mainwindowtesting.h"
#include "participants/classfilterdialog.h"
#include "participants/classrolldialog.h"
#include "participants/lineinputdialog.h"
#include "participants/participantcreationdialog.h"
#include "participants/schoolyeardialog.h"
#include "reports/absenceperioddialog.h"
#include "reports/numberdialog.h"
#include "reports/reportview.h"
#include "ui/backgroundcolourdialog.h"
#include "ui/fontdialog.h"
#include "ui/shortcuttext.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTextEdit>

using namespace Qt::StringLiterals;

class TestGuide : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { tearDown(); }

    void shortcutTableMatchesTheMenus();
    void f1OpensTheGuideOverEveryWindow_data();
    void f1OpensTheGuideOverEveryWindow();
    void foundBesideTheProgramOrWhereInstalled();

private:
    QString m_guide;
};

void TestGuide::init()
{
    prepare();
    m_guide = readGuide(QStringLiteral(TESSARO_GUIDE_FILE));
    QVERIFY(writeBytes(m_paths.programFolder + u"Bedienungsanleitung.txt"_s, m_guide.toUtf8()));
}

void TestGuide::shortcutTableMatchesTheMenus()
{
    // The table: "Taste: Befehl (Menü)" in section 7, in the menus' order.
    QStringList table;
    const QRegularExpression entry(u"^\\S+: .+ \\(.+\\)$"_s);
    const QString section = m_guide.section(u"\n7. "_s, 1).section(u"\n8. "_s, 0, 0);
    for (const QString &line : section.split(u'\n')) {
        if (entry.match(line).hasMatch())
            table << line;
    }
    m_window = createProgramWindows(m_paths, recordingFront(&m_announced)).mainWindow;
    QStringList menus;
    const std::function<void(const QMenu *, const QString &)> walk
        = [&](const QMenu *menu, const QString &title) {
              for (const QAction *action : menu->actions()) {
                  if (action->menu())
                      walk(action->menu(), title);
                  else if (!action->shortcut().isEmpty())
                      menus << u"%1: %2 (%3)"_s.arg(germanShortcutText(action->shortcut()),
                          withoutAmpersands(action->text()).remove(u"..."_s), title);
              }
          };
    for (const QAction *top : m_window->menuBar()->actions())
        walk(top->menu(), withoutAmpersands(top->text()));
    QCOMPARE(table, menus);
}

void TestGuide::f1OpensTheGuideOverEveryWindow_data()
{
    QTest::addColumn<QString>("window");
    for (const char *window : {"main window", "participant list", "creation dialog", "input dialog",
             "report view", "number dialog", "backup window", "class filter", "colour chooser",
             "font dialog", "class roll", "absence period", "school year", "message box"})
        QTest::newRow(window) << QString::fromLatin1(window);
}

void TestGuide::f1OpensTheGuideOverEveryWindow()
{
    QFETCH(QString, window);
    QVERIFY(writeBytes(dataFolder() + u"Meier.dat"_s, daysFile(2)));
    showPastTheList("[General]\nTeilnehmer=Meier\n");
    const MainWindow::Ui &ui = m_window->ui();
    const std::map<QString, QDialog *> dialogs{{u"participant list"_s, ui.participantListDialog},
        {u"creation dialog"_s, ui.creationDialog}, {u"input dialog"_s, ui.inputDialog},
        {u"report view"_s, ui.reportView}, {u"number dialog"_s, ui.numberDialog},
        {u"backup window"_s, ui.backupWindow}, {u"class filter"_s, ui.classFilterDialog},
        {u"colour chooser"_s, ui.backgroundDialog}, {u"font dialog"_s, ui.fontDialog},
        {u"class roll"_s, ui.classRollDialog}, {u"absence period"_s, ui.absencePeriodDialog},
        {u"school year"_s, ui.schoolYearDialog}};
    QMessageBox box(
        QMessageBox::Information, u"Informationen"_s, u"Text"_s, QMessageBox::Ok, m_window.get());
    QWidget *under = window == u"main window" ? static_cast<QWidget *>(m_window.get())
        : window == u"message box"            ? &box
                                              : dialogs.at(window);
    if (auto *dialog = qobject_cast<AdaptiveDialog *>(under))
        dialog->applyAppearance();
    if (under != m_window.get())
        static_cast<QDialog *>(under)->open();
    QApplication::setActiveWindow(under);
    QVERIFY(QTest::qWaitForWindowActive(under));

    ReportView *guide = m_window->findChild<HelpMenu *>()->ui().guideView;
    bool shown = false;
    whenModalOpens<ReportView>([&](ReportView *view) {
        shown = view == guide;
        QCOMPARE(view->windowTitle(), u"Bedienungsanleitung"_s);
        QCOMPARE(view->text(), m_guide);
        QVERIFY(view->ui().textEdit->isReadOnly());
        QTest::keyClick(view->ui().textEdit, Qt::Key_Escape);
    });
    QWidget *focused = under->focusWidget() ? under->focusWidget() : under;
    QTest::keyClick(focused, Qt::Key_F1);
    QTRY_VERIFY(shown);
    QTRY_VERIFY(!guide->isVisible());
    // The window the guide was opened over is still there and has the keys again.
    QVERIFY(under->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), under);
}

void TestGuide::foundBesideTheProgramOrWhereInstalled()
{
    // Beside the program, as in the build tree.
    QCOMPARE(readGuide(guidePath(m_paths.programFolder)), m_guide);
    // Installed: the program in <prefix>/bin, the guide in <prefix>/share/tessaro, which is also
    // the file a missing guide's error names.
    const QString installed = m_dir->path() + u"/usr/share/tessaro/Bedienungsanleitung.txt"_s;
    QCOMPARE(guidePath(m_dir->path() + u"/usr/bin/"_s), installed);
    QVERIFY(QDir().mkpath(m_dir->path() + u"/usr/share/tessaro"_s));
    QVERIFY(writeBytes(installed, "installiert"));
    QCOMPARE(readGuide(guidePath(m_dir->path() + u"/usr/bin/"_s)), u"installiert"_s);
}

QTEST_MAIN(TestGuide)
#include "tst_guide.moc"
