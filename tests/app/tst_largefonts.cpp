#include "mainwindow/mainwindowtesting.h"

#include "backup/backupwindow.h"
#include "participants/classfilterdialog.h"
#include "participants/classrolldialog.h"
#include "participants/lineinputdialog.h"
#include "participants/participantcreationdialog.h"
#include "participants/participantlistdialog.h"
#include "participants/schoolyeardialog.h"
#include "reports/absenceperioddialog.h"
#include "reports/numberdialog.h"
#include "reports/reportview.h"
#include "ui/backgroundcolourdialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace {

const QString kLongName = u"Jäger Jürgen-Alexander von Hohenstein"_s;

// What a low-vision user could not read: every visible button, label and radio button with a
// caption narrower than its text (a wrapped label lower than its lines), and every control reaching
// out of its window's client area. Empty when nothing is cut.
QStringList cutTexts(QWidget *window, bool checkContainment)
{
    QStringList cut;
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (!control->isVisible() || control->window() != window)
            continue;
        QString text;
        bool fits = true;
        if (auto *label = qobject_cast<QLabel *>(control)) {
            text = label->text();
            fits = label->wordWrap() ? label->height() >= label->heightForWidth(label->width())
                                     : label->width() >= label->sizeHint().width();
        } else if (auto *button = qobject_cast<QAbstractButton *>(control);
                   button && !button->text().isEmpty()) {
            text = button->text();
            fits = button->width() >= button->sizeHint().width();
        } else {
            continue;
        }
        if (!fits)
            cut << u"\"%1\" is %2 wide, needs %3"_s.arg(text, QString::number(control->width()),
                QString::number(control->sizeHint().width()));
        const QRect inWindow(control->mapTo(window, QPoint(0, 0)), control->size());
        if (checkContainment && !window->rect().contains(inWindow))
            cut << u"\"%1\" reaches out of the window"_s.arg(text);
    }
    return cut;
}

// A list entry is shown whole: on one line as wide as its text, or wrapped onto more lines.
bool entryShownWhole(const QListWidget *list, int row)
{
    const QRect item = list->visualItemRect(list->item(row));
    const int textWidth = list->fontMetrics().horizontalAdvance(list->item(row)->text());
    return item.width() >= textWidth || item.height() > list->fontMetrics().height() * 3 / 2;
}

} // namespace

class TestLargeFonts : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init() { prepare(); }
    void cleanup() { tearDown(); }
    void nothingIsCut_data();
    void nothingIsCut();

private:
    // Opens the dialog as its command does, waits until it shows and checks it.
    void checkDialog(AdaptiveDialog *dialog, const QString &name);
    // With TESSARO_SCREENSHOT_DIR set, the window is saved there as a picture to look at.
    static void saveScreenshot(QWidget *window, const QString &name);
};

void TestLargeFonts::nothingIsCut_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("style");
    QTest::addColumn<QByteArray>("colours");
    // Yellow on "Schwarz" and black on "Weiß", as low-vision users choose them.
    const QByteArray yellowOnBlack = "HintColor=0\nFontColor=65535\n";
    const QByteArray blackOnWhite = "HintColor=1\nFontColor=0\n";
    for (const int points : {12, 20, 28, 36, 48}) {
        QTest::addRow("%d points", points) << points << 0 << blackOnWhite;
        QTest::addRow("%d points, bold italic", points) << points << 3 << yellowOnBlack;
    }
}

void TestLargeFonts::saveScreenshot(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("TESSARO_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        window->grab().save(
            u"%1/%2 - %3.png"_s.arg(folder, QString::fromLatin1(QTest::currentDataTag()), name));
    }
}

void TestLargeFonts::checkDialog(AdaptiveDialog *dialog, const QString &name)
{
    dialog->applyAppearance();
    dialog->open();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    saveScreenshot(dialog, name);
    const QStringList cut = cutTexts(dialog, true);
    QVERIFY2(cut.isEmpty(), qPrintable(name + u": "_s + cut.join(u"; "_s)));
    const QRect workArea = dialog->screen()->availableGeometry();
    QVERIFY2(workArea.contains(dialog->frameGeometry()),
        qPrintable(u"%1 does not fit the work area"_s.arg(name)));
}

void TestLargeFonts::nothingIsCut()
{
    QFETCH(int, points);
    QFETCH(int, style);
    QFETCH(QByteArray, colours);
    for (const QString &name : {u"Anna"_s, kLongName})
        QVERIFY(writeBytes(dataFolder() + name + u".dat"_s, daysFile(1000)));
    showPastTheList(
        u"[General]\nTeilnehmer=%1\nFontName=Arial\nFontSize=%2\nFontStyle=%3\n"_s.arg(kLongName)
            .arg(points)
            .arg(style)
            .toUtf8()
        + colours);
    saveScreenshot(m_window.get(), u"main window"_s);
    m_window->setDayNumber(1000);
    const MainWindow::Ui &ui = m_window->ui();
    QCOMPARE(ui.nameEdit->font().pointSize(), points);

    const QStringList mainWindowCut = cutTexts(m_window.get(), false);
    QVERIFY2(mainWindowCut.isEmpty(), qPrintable(mainWindowCut.join(u"; "_s)));
    QVERIFY(ui.dayNumberPanel->width() >= ui.dayNumberPanel->sizeHint().width());
    for (QPushButton *button : {ui.nextDayButton, ui.previousDayButton})
        QVERIFY(!button->geometry().intersects(ui.participantListButton->geometry()));
    QVERIFY(!ui.nextDayButton->geometry().intersects(ui.previousDayButton->geometry()));

    ParticipantListDialog *list = ui.participantListDialog;
    checkDialog(list, u"participant list"_s);
    QTRY_COMPARE(list->ui().list->count(), 2);
    QVERIFY2(cutTexts(list, true).isEmpty(), qPrintable(cutTexts(list, true).join(u"; "_s)));
    for (int row = 0; row < 2; ++row)
        QVERIFY2(
            entryShownWhole(list->ui().list, row), qPrintable(list->ui().list->item(row)->text()));
    if (points <= 36) {
        // On a screen 1280 pixels wide the long name fits one line up to 36 points.
        QVERIFY(list->ui().list->viewport()->width()
            >= list->ui().list->fontMetrics().horizontalAdvance(kLongName));
    }
    saveScreenshot(list, u"participant list, filled"_s);
    list->reject();

    ClassFilterDialog *classes = ui.classFilterDialog;
    classes->setClasses({u"1a"_s});
    checkDialog(classes, u"class filter"_s);
    classes->reject();

    checkDialog(ui.creationDialog, u"creation dialog"_s);
    ui.creationDialog->reject();

    for (const InputQuestion question : {InputQuestion::NewName, InputQuestion::NewClass,
             InputQuestion::SearchDate, InputQuestion::NewComment}) {
        ui.inputDialog->question = question;
        checkDialog(ui.inputDialog, u"input dialog %1"_s.arg(int(question)));
        ui.inputDialog->reject();
    }

    ui.reportView->setReport(ReportKind::AllDays, u"Zeile 1\r\nZeile 2"_s);
    checkDialog(ui.reportView, u"text view"_s);
    ui.reportView->reject();

    ui.numberDialog->setRange(1, 1000, 1);
    checkDialog(ui.numberDialog, u"number dialog"_s);
    ui.numberDialog->reject();

    for (const BackupDirection direction : {BackupDirection::Backup, BackupDirection::Restore}) {
        ui.backupWindow->prepare(direction, dataFolder());
        checkDialog(ui.backupWindow, u"backup window"_s);
        ui.backupWindow->reject();
    }

    ClassRollDialog *roll = ui.classRollDialog;
    roll->prepare(dataFolder(), {u"1a"_s}, QString(), u"Mi., 24. Dezember 2025"_s);
    checkDialog(roll, u"class roll"_s);
    for (int row = 0; row < 2; ++row)
        QVERIFY2(
            entryShownWhole(roll->ui().list, row), qPrintable(roll->ui().list->item(row)->text()));
    roll->reject();

    ui.absencePeriodDialog->prepare({u"1a"_s}, QString(), QDate(2025, 12, 24));
    checkDialog(ui.absencePeriodDialog, u"absence period"_s);
    ui.absencePeriodDialog->reject();

    ui.schoolYearDialog->prepare({u"1a"_s, u"Chor"_s});
    checkDialog(ui.schoolYearDialog, u"school year"_s);
    ui.schoolYearDialog->reject();

    checkDialog(ui.backgroundDialog, u"colour chooser"_s);
    ui.backgroundDialog->reject();
}

int main(int argc, char *argv[])
{
    // A screen of 1280 by 1024 pixels at 96 dots per inch, the size the windows are made for.
    QTemporaryFile screens;
    if (!screens.open())
        return 1;
    screens.write(R"({"screens": [{"name": "s", "x": 0, "y": 0, "width": 1280, "height": 1024,
        "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    QApplication application(argc, argv);
    TestLargeFonts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_largefonts.moc"
