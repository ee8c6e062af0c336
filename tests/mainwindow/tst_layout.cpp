#include "mainwindow/mainwindow.h"
#include "mainwindow/mainwindowgeometry.h"
#include "ui/backgroundcolourdialog.h"
#include "ui/backgroundcolours.h"
#include "ui/fontdialog.h"

#include "ui/appearance.h"
#include "ui/messages.h"

#include "mainwindowtesting.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestLayout : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void geometryFollowsTheSteps_data();
    void geometryFollowsTheSteps();
    void veryLargeFontKeepsFieldsUsable();
    void windowAppliesTheGeometry_data();
    void windowAppliesTheGeometry();
    void largeFontScrollsToTheFocusedField();
    void colourValues_data();
    void colourValues();
    void colourNumbers_data();
    void colourNumbers();
    void chooserLaysItselfOutFromTheFont();
    void chooserCancelKeepsEverything_data();
    void chooserCancelKeepsEverything();
    void chooserOkStoresTheNumberAtOnce();
    void fontCommandConfirmed();
    void fontCommandCancelledRestoresFocus();

private:
    // Shows the window with the settings file as the test left it.
    void start();
};

void TestLayout::init()
{
    prepare();
}

void TestLayout::cleanup()
{
    tearDown();
}

void TestLayout::start()
{
    showWindow(std::nullopt);
}

void TestLayout::geometryFollowsTheSteps_data()
{
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<int>("editHeight");
    QTest::addColumn<int>("widestLabel");
    QTest::newRow("12 point") << 19 << 27 << 87;
    QTest::newRow("24 point") << 38 << 46 << 174;
}

void TestLayout::geometryFollowsTheSteps()
{
    QFETCH(int, lineHeight);
    QFETCH(int, editHeight);
    QFETCH(int, widestLabel);
    MainWindowMeasures m;
    m.client = QSize(1280, 1000);
    m.lineHeight = lineHeight;
    m.buttonHeight = lineHeight + 12;
    m.statusBarHeight = lineHeight + 6;
    m.editHeight = editHeight;
    m.labels = {QSize(50, lineHeight), QSize(60, lineHeight), QSize(55, lineHeight),
        QSize(widestLabel, lineHeight), QSize(80, lineHeight), QSize(40, lineHeight)};
    const MainWindowGeometry g = layoutMainWindow(m);

    const int w = widestLabel + 5;
    const int b = lineHeight + 12;
    QCOMPARE(g.statusBarHeight, lineHeight + 6);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(g.edits[i].left(), 10 + w);
        QCOMPARE(g.edits[i].width(), 1280 - 20 - w);
        QCOMPARE(g.edits[i].height(), editHeight);
        QCOMPARE(g.labels[i].left(), 10);
        QCOMPARE(g.labels[i].top(), g.edits[i].top() + (editHeight - lineHeight) / 2);
    }
    // Top to bottom: name, class, comment, date, remark.
    QCOMPARE(g.edits[0].top(), 10);
    QCOMPARE(g.edits[1].top(), 20 + editHeight);
    QCOMPARE(g.edits[3].top(), 10 + g.edits[1].bottom() + 1);
    QCOMPARE(g.edits[2].top(), 10 + g.edits[3].bottom() + 1);
    QCOMPARE(g.edits[4].top(), 10 + g.edits[2].bottom() + 1);

    QCOMPARE(g.presentGroup, QRect(10 + w, g.edits[4].bottom() + 11, w / 5 + w, 3 * editHeight));
    QCOMPARE(g.labels[5].topLeft(), QPoint(10, g.presentGroup.bottom() + 11));
    const int statusTop = 1000 - (lineHeight + 6);
    QCOMPARE(g.infoEdit,
        QRect(10 + w, g.labels[5].top(), 1280 - 20 - w,
            (statusTop - 20 - g.labels[5].top() - b) / 2));
    QCOMPARE(g.nextDayButton, QRect(10, g.infoEdit.bottom() + 11, 187, b));
    QCOMPARE(g.participantListButton,
        QRect(g.infoEdit.right() + 1 - 187, g.nextDayButton.top(), 187, b));
    QCOMPARE(g.previousDayButton, QRect((1280 - 187) / 2, g.nextDayButton.top(), 187, b));
    QCOMPARE(g.dayNumberPanelWidth, 256);
    QCOMPARE(g.hintPanelWidth, 1024);
    QCOMPARE(g.content, QSize(1280, statusTop));
}

void TestLayout::veryLargeFontKeepsFieldsUsable()
{
    MainWindowMeasures m;
    m.client = QSize(800, 600);
    m.lineHeight = 110;
    m.buttonHeight = 122;
    m.statusBarHeight = 116;
    m.editHeight = 120;
    m.labels.fill(QSize(700, 110));
    const MainWindowGeometry g = layoutMainWindow(m);
    QCOMPARE(g.edits[0].width(), 4 * (110 + 12));
    QVERIFY(g.infoEdit.height() >= 3 * 110);
    QCOMPARE(g.content.width(), g.infoEdit.right() + 1 + 10);
    QCOMPARE(g.content.height(), g.nextDayButton.bottom() + 1 + 10);
}

void TestLayout::windowAppliesTheGeometry_data()
{
    QTest::addColumn<int>("points");
    QTest::newRow("12 point") << 12;
    QTest::newRow("24 point") << 24;
}

void TestLayout::windowAppliesTheGeometry()
{
    QFETCH(int, points);
    QVERIFY(QFile(m_paths.settingsFile).open(QIODevice::WriteOnly));
    QSettings(m_paths.settingsFile, QSettings::IniFormat).setValue(u"FontSize"_s, points);
    start();
    const QFont &font = currentFont().font;
    QCOMPARE(font.pointSize(), points);
    const int line = textLineHeight(font);
    // As wide as the rules say, or as the caption needs where that is more.
    for (QPushButton *button : {m_window->ui().nextDayButton, m_window->ui().previousDayButton,
             m_window->ui().participantListButton})
        QCOMPARE(button->size(), QSize(qMax(187, button->sizeHint().width()), line + 12));
    // One line where the hint fits; where it does not, it wraps and the status bar grows.
    const QLabel *hint = m_window->ui().hintPanel;
    if (hint->heightForWidth(hint->width()) <= line)
        QCOMPARE(m_window->statusBar()->height(), line + 6);
    QVERIFY(hint->height() >= hint->heightForWidth(hint->width()));
    int widest = 0;
    for (QLabel *label :
        {m_window->ui().nameLabel, m_window->ui().classLabel, m_window->ui().dateLabel,
            m_window->ui().commentLabel, m_window->ui().remarkLabel, m_window->ui().infoLabel})
        widest = qMax(widest, label->width());
    const int w = widest + 5;
    QCOMPARE(m_window->ui().nameEdit->x(), 10 + w);
    QCOMPARE(m_window->ui().presentGroup->width(), w / 5 + w);
    QCOMPARE(m_window->ui().dateEdit->font().pointSize(), points);
    QCOMPARE(m_window->ui().nextDayButton->font().pointSize(), points);
    // The window fills the work area.
    QCOMPARE(m_window->frameGeometry(), m_window->screen()->availableGeometry());
}

void TestLayout::largeFontScrollsToTheFocusedField()
{
    currentFont().font.setPointSize(60);
    QVERIFY(QFile(m_paths.settingsFile).open(QIODevice::WriteOnly));
    QSettings(m_paths.settingsFile, QSettings::IniFormat).setValue(u"FontSize"_s, 60);
    start();
    auto *area = m_window->findChild<QScrollArea *>();
    QVERIFY(area);
    QVERIFY(area->widget()->height() > area->viewport()->height());
    QApplication::setActiveWindow(m_window.get());
    const auto isShown = [area](QWidget *field) {
        const QRect inViewport(field->mapTo(area->viewport(), QPoint(0, 0)), field->size());
        return area->viewport()->rect().contains(inViewport);
    };
    QVERIFY(!isShown(m_window->ui().participantListButton));
    m_window->ui().participantListButton->setFocus();
    QTRY_VERIFY(isShown(m_window->ui().participantListButton));
    m_window->ui().nameEdit->setFocus();
    QTRY_VERIFY(isShown(m_window->ui().nameEdit));
}

void TestLayout::colourValues_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("red in the low byte") << quint32(0x0000FF) << QColor(255, 0, 0);
    QTest::newRow("blue in the high byte") << quint32(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("mixed") << quint32(0x80C0FF) << QColor(255, 192, 128);
    QTest::newRow("window text") << kWindowTextColor
                                 << QGuiApplication::palette().color(QPalette::WindowText);
}

void TestLayout::colourValues()
{
    QFETCH(quint32, value);
    QFETCH(QColor, colour);
    QCOMPARE(colorFromValue(value), colour);
}

void TestLayout::colourNumbers_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("0") << 0 << 0 << u"Schwarz"_s << QColor(0, 0, 0);
    QTest::newRow("1") << 1 << 1 << u"Weiß"_s << QColor(255, 255, 255);
    QTest::newRow("5") << 5 << 5 << u"Himmelblau"_s << QColor(166, 202, 240);
    QTest::newRow("12 shares its colour with 11")
        << 12 << 12 << u"Dunkelgrau"_s << QColor(128, 128, 128);
    QTest::newRow("18") << 18 << 18 << u"Braun"_s << QColor(128, 0, 0);
    QTest::newRow("19") << 19 << 0 << u"Schwarz"_s << QColor(0, 0, 0);
    QTest::newRow("255") << 255 << 0 << u"Schwarz"_s << QColor(0, 0, 0);
    QTest::newRow("-1") << -1 << 0 << u"Schwarz"_s << QColor(0, 0, 0);
}

void TestLayout::colourNumbers()
{
    QFETCH(int, number);
    QFETCH(int, selected);
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    start();
    m_window->setBackgroundNumber(number);
    QCOMPARE(m_window->backgroundNumber(), selected);
    QCOMPARE(m_window->ui().backgroundDialog->ui().list->currentItem()->text(), name);
    QCOMPARE(currentBackground(), colour);
    QCOMPARE(m_window->ui().dateEdit->palette().color(QPalette::Base), colour);
    QCOMPARE(m_window->ui().backgroundDialog->ui().list->count(), 19);
}

void TestLayout::chooserLaysItselfOutFromTheFont()
{
    start();
    currentFont().font.setPointSize(20);
    BackgroundColourDialog *chooser = m_window->ui().backgroundDialog;
    whenModalOpens<QDialog>([chooser](QDialog *dialog) {
        QCOMPARE(dialog, chooser);
        const QFont &buttonFont = chooser->ui().okButton->font();
        QCOMPARE(chooser->ui().okButton->width(), textWidth(buttonFont, u"AbbrechenMM"_s));
        QCOMPARE(chooser->ui().cancelButton->width(), chooser->ui().okButton->width());
        QCOMPARE(chooser->ui().list->height(), 20 * textLineHeight(chooser->ui().list->font()));
        QCOMPARE(chooser->ui().list->font().pointSize(), 20);
        QCOMPARE(chooser->windowTitle(), u"Schrifthintergrund wählen"_s);
        QCOMPARE(QApplication::focusWidget(), chooser->ui().list);
        chooser->reject();
    });
    m_window->ui().backgroundAction->trigger();
}

void TestLayout::chooserCancelKeepsEverything_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Abbrechen") << u"button"_s;
    QTest::newRow("Escape") << u"escape"_s;
    QTest::newRow("title bar") << u"close"_s;
}

void TestLayout::chooserCancelKeepsEverything()
{
    QFETCH(QString, how);
    start();
    m_window->setBackgroundNumber(3);
    QFile::remove(m_paths.settingsFile);
    BackgroundColourDialog *chooser = m_window->ui().backgroundDialog;
    whenModalOpens<QDialog>([chooser, how](QDialog *) {
        chooser->ui().list->setCurrentRow(7);
        if (how == u"button"_s)
            chooser->ui().cancelButton->click();
        else if (how == u"escape"_s)
            QTest::keyClick(chooser->ui().list, Qt::Key_Escape);
        else
            chooser->close();
    });
    m_window->ui().backgroundAction->trigger();
    QCOMPARE(m_window->backgroundNumber(), 3);
    QCOMPARE(chooser->colourNumber(), 3);
    QCOMPARE(currentBackground(), QColor(0, 0, 255));
    QVERIFY(!QFile::exists(m_paths.settingsFile));
}

void TestLayout::chooserOkStoresTheNumberAtOnce()
{
    start();
    m_window->setBackgroundNumber(11);
    BackgroundColourDialog *chooser = m_window->ui().backgroundDialog;
    whenModalOpens<QDialog>([chooser](QDialog *) {
        QCOMPARE(chooser->ui().list->currentRow(), 11);
        chooser->ui().list->setCurrentRow(12);
        QTest::keyClick(chooser->ui().list, Qt::Key_Return);
    });
    m_window->ui().backgroundAction->trigger();
    QCOMPARE(m_window->backgroundNumber(), 12);
    QCOMPARE(
        QSettings(m_paths.settingsFile, QSettings::IniFormat).value(u"HintColor"_s).toInt(), 12);
}

void TestLayout::fontCommandConfirmed()
{
    start();
    m_window->setBackgroundNumber(0);
    m_window->ui().remarkEdit->setFocus();
    whenModalOpens<QDialog>([this](QDialog *) {
        FontDialog *chooser = m_window->ui().fontDialog;
        QCOMPARE(chooser->fontPart()->currentFont().pointSize(), 12);
        QFont bigger = chooser->fontPart()->currentFont();
        bigger.setPointSize(28);
        bigger.setStyleName(QString());
        bigger.setBold(true);
        chooser->fontPart()->setCurrentFont(bigger);
        chooser->colourBox()->setCurrentIndex(chooser->colourBox()->findText(u"Weiß"_s));
        chooser->accept();
    });
    m_window->ui().fontAction->trigger();
    QCOMPARE(currentFont().font.pointSize(), 28);
    QVERIFY(currentFont().font.bold());
    QCOMPARE(currentFont().color, 0xFFFFFFu);
    QCOMPARE(m_window->ui().dateEdit->font().pointSize(), 28);
    QCOMPARE(m_window->ui().dateEdit->palette().color(QPalette::Text), QColor(Qt::white));
    QCOMPARE(m_window->ui().dateEdit->palette().color(QPalette::Base), QColor(Qt::black));
    QCOMPARE(m_window->ui().nextDayButton->height(), textLineHeight(currentFont().font) + 12);
    // Saved at once.
    QSettings settings(m_paths.settingsFile, QSettings::IniFormat);
    QCOMPARE(settings.value(u"FontSize"_s).toInt(), 28);
    QCOMPARE(settings.value(u"FontStyle"_s).toInt(), 2);
    QCOMPARE(settings.value(u"FontColor"_s).toUInt(), 0xFFFFFFu);
    QCOMPARE(m_window->focusWidget(), m_window->ui().remarkEdit);
}

void TestLayout::fontCommandCancelledRestoresFocus()
{
    start();
    QApplication::setActiveWindow(m_window.get());
    m_window->ui().infoEdit->setFocus();
    currentFont().charSet = 238;
    whenModalOpens<QDialog>([this](QDialog *) {
        QFont bigger = m_window->ui().fontDialog->fontPart()->currentFont();
        bigger.setPointSize(40);
        m_window->ui().fontDialog->fontPart()->setCurrentFont(bigger);
        QTest::keyClick(m_window->ui().fontDialog, Qt::Key_Escape);
    });
    m_window->ui().fontAction->trigger();
    QCOMPARE(currentFont().font.pointSize(), 12);
    QCOMPARE(currentFont().charSet, 238);
    QCOMPARE(m_window->ui().dateEdit->font().pointSize(), 12);
    QVERIFY(!QFile::exists(m_paths.settingsFile));
    QCOMPARE(m_window->focusWidget(), m_window->ui().infoEdit);
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
