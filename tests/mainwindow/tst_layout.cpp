#include "mainwindow/fontchooser.h"
#include "mainwindow/haupt.h"
#include "mainwindow/hintergrundfarben.h"
#include "mainwindow/mainwindowgeometry.h"
#include "mainwindow/rkhintergrund.h"

#include "desktop/appearance.h"
#include "desktop/messages.h"

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
    // Top to bottom: Edit1, Edit2, Edit4, Edit3, Edit5.
    QCOMPARE(g.edits[0].top(), 10);
    QCOMPARE(g.edits[1].top(), 20 + editHeight);
    QCOMPARE(g.edits[3].top(), 10 + g.edits[1].bottom() + 1);
    QCOMPARE(g.edits[2].top(), 10 + g.edits[3].bottom() + 1);
    QCOMPARE(g.edits[4].top(), 10 + g.edits[2].bottom() + 1);

    QCOMPARE(g.radioGroup, QRect(10 + w, g.edits[4].bottom() + 11, w / 5 + w, 3 * editHeight));
    QCOMPARE(g.labels[5].topLeft(), QPoint(10, g.radioGroup.bottom() + 11));
    const int statusTop = 1000 - (lineHeight + 6);
    QCOMPARE(g.richEdit,
        QRect(10 + w, g.labels[5].top(), 1280 - 20 - w,
            (statusTop - 20 - g.labels[5].top() - b) / 2));
    QCOMPARE(g.button1, QRect(10, g.richEdit.bottom() + 11, 187, b));
    QCOMPARE(g.button3, QRect(g.richEdit.right() + 1 - 187, g.button1.top(), 187, b));
    QCOMPARE(g.button2, QRect((1280 - 187) / 2, g.button1.top(), 187, b));
    QCOMPARE(g.statusPanel0Width, 256);
    QCOMPARE(g.statusPanel1Width, 1024);
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
    QVERIFY(g.richEdit.height() >= 3 * 110);
    QCOMPARE(g.content.width(), g.richEdit.right() + 1 + 10);
    QCOMPARE(g.content.height(), g.button1.bottom() + 1 + 10);
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
    const QFont &font = AktSchrift().font;
    QCOMPARE(font.pointSize(), points);
    const int line = ZeilenHoehe(font);
    for (QPushButton *button : {m_window->Button1, m_window->Button2, m_window->Button3})
        QCOMPARE(button->size(), QSize(187, line + 12));
    QCOMPARE(m_window->statusBar()->height(), line + 6);
    int widest = 0;
    for (QLabel *label : {m_window->Label1, m_window->Label2, m_window->Label3, m_window->Label4,
             m_window->Label5, m_window->LabelRe})
        widest = qMax(widest, label->width());
    const int w = widest + 5;
    QCOMPARE(m_window->Edit1->x(), 10 + w);
    QCOMPARE(m_window->RadioGroup1->width(), w / 5 + w);
    QCOMPARE(m_window->Edit3->font().pointSize(), points);
    QCOMPARE(m_window->Button1->font().pointSize(), points);
    // The window fills the work area.
    QCOMPARE(m_window->frameGeometry(), m_window->screen()->availableGeometry());
}

void TestLayout::largeFontScrollsToTheFocusedField()
{
    AktSchrift().font.setPointSize(60);
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
    QVERIFY(!isShown(m_window->Button3));
    m_window->Button3->setFocus();
    QTRY_VERIFY(isShown(m_window->Button3));
    m_window->Edit1->setFocus();
    QTRY_VERIFY(isShown(m_window->Edit1));
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
    m_window->setHintergrundNr(number);
    QCOMPARE(m_window->HintergrundNr(), selected);
    QCOMPARE(m_window->HintergrundForm->ListBox1->currentItem()->text(), name);
    QCOMPARE(AktHintergrund(), colour);
    QCOMPARE(m_window->Edit3->palette().color(QPalette::Base), colour);
    QCOMPARE(m_window->HintergrundForm->ListBox1->count(), 19);
}

void TestLayout::chooserLaysItselfOutFromTheFont()
{
    start();
    AktSchrift().font.setPointSize(20);
    THintergrundForm *chooser = m_window->HintergrundForm;
    whenModalOpens<QDialog>([chooser](QDialog *dialog) {
        QCOMPARE(dialog, chooser);
        const QFont &buttonFont = chooser->Button1->font();
        QCOMPARE(chooser->Button1->width(), TextBreite(buttonFont, u"AbbrechenMM"_s));
        QCOMPARE(chooser->Button2->width(), chooser->Button1->width());
        QCOMPARE(chooser->ListBox1->height(), 20 * ZeilenHoehe(chooser->ListBox1->font()));
        QCOMPARE(chooser->ListBox1->font().pointSize(), 20);
        QCOMPARE(chooser->windowTitle(), u"Schrifthintergrund wählen"_s);
        QCOMPARE(QApplication::focusWidget(), chooser->ListBox1);
        chooser->reject();
    });
    m_window->MenuAnsHintergrund->trigger();
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
    m_window->setHintergrundNr(3);
    QFile::remove(m_paths.settingsFile);
    THintergrundForm *chooser = m_window->HintergrundForm;
    whenModalOpens<QDialog>([chooser, how](QDialog *) {
        chooser->ListBox1->setCurrentRow(7);
        if (how == u"button"_s)
            chooser->Button2->click();
        else if (how == u"escape"_s)
            QTest::keyClick(chooser->ListBox1, Qt::Key_Escape);
        else
            chooser->close();
    });
    m_window->MenuAnsHintergrund->trigger();
    QCOMPARE(m_window->HintergrundNr(), 3);
    QCOMPARE(chooser->HintergrundNr(), 3);
    QCOMPARE(AktHintergrund(), QColor(0, 0, 255));
    QVERIFY(!QFile::exists(m_paths.settingsFile));
}

void TestLayout::chooserOkStoresTheNumberAtOnce()
{
    start();
    m_window->setHintergrundNr(11);
    THintergrundForm *chooser = m_window->HintergrundForm;
    whenModalOpens<QDialog>([chooser](QDialog *) {
        QCOMPARE(chooser->ListBox1->currentRow(), 11);
        chooser->ListBox1->setCurrentRow(12);
        QTest::keyClick(chooser->ListBox1, Qt::Key_Return);
    });
    m_window->MenuAnsHintergrund->trigger();
    QCOMPARE(m_window->HintergrundNr(), 12);
    QCOMPARE(
        QSettings(m_paths.settingsFile, QSettings::IniFormat).value(u"HintColor"_s).toInt(), 12);
}

void TestLayout::fontCommandConfirmed()
{
    start();
    m_window->setHintergrundNr(0);
    m_window->Edit5->setFocus();
    whenModalOpens<QDialog>([this](QDialog *) {
        FontChooser *chooser = m_window->FontDialog1;
        QCOMPARE(chooser->fontPart()->currentFont().pointSize(), 12);
        QFont bigger = chooser->fontPart()->currentFont();
        bigger.setPointSize(28);
        bigger.setStyleName(QString());
        bigger.setBold(true);
        chooser->fontPart()->setCurrentFont(bigger);
        chooser->colourBox()->setCurrentIndex(chooser->colourBox()->findText(u"Weiß"_s));
        chooser->accept();
    });
    m_window->MenuAnsSchrift->trigger();
    QCOMPARE(AktSchrift().font.pointSize(), 28);
    QVERIFY(AktSchrift().font.bold());
    QCOMPARE(AktSchrift().color, 0xFFFFFFu);
    QCOMPARE(m_window->Edit3->font().pointSize(), 28);
    QCOMPARE(m_window->Edit3->palette().color(QPalette::Text), QColor(Qt::white));
    QCOMPARE(m_window->Edit3->palette().color(QPalette::Base), QColor(Qt::black));
    QCOMPARE(m_window->Button1->height(), ZeilenHoehe(AktSchrift().font) + 12);
    // Saved at once.
    QSettings settings(m_paths.settingsFile, QSettings::IniFormat);
    QCOMPARE(settings.value(u"FontSize"_s).toInt(), 28);
    QCOMPARE(settings.value(u"FontStyle"_s).toInt(), 2);
    QCOMPARE(settings.value(u"FontColor"_s).toUInt(), 0xFFFFFFu);
    QCOMPARE(m_window->focusWidget(), m_window->Edit5);
}

void TestLayout::fontCommandCancelledRestoresFocus()
{
    start();
    QApplication::setActiveWindow(m_window.get());
    m_window->RichEdit1->setFocus();
    AktSchrift().charSet = 238;
    whenModalOpens<QDialog>([this](QDialog *) {
        QFont bigger = m_window->FontDialog1->fontPart()->currentFont();
        bigger.setPointSize(40);
        m_window->FontDialog1->fontPart()->setCurrentFont(bigger);
        QTest::keyClick(m_window->FontDialog1, Qt::Key_Escape);
    });
    m_window->MenuAnsSchrift->trigger();
    QCOMPARE(AktSchrift().font.pointSize(), 12);
    QCOMPARE(AktSchrift().charSet, 238);
    QCOMPARE(m_window->Edit3->font().pointSize(), 12);
    QVERIFY(!QFile::exists(m_paths.settingsFile));
    QCOMPARE(m_window->focusWidget(), m_window->RichEdit1);
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
