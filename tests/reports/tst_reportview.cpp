#include "reports/reportview.h"

#include "participants/participantdialogtesting.h"
#include "records/linelist.h"
#include "reports/textfilewriter.h"
#include "ui/dialoggeometry.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>

using namespace Qt::StringLiterals;

class TestReportView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void captionsFocusAndLayout_data();
    void captionsFocusAndLayout();
    void ending_data();
    void ending();
    void commandsFollowTheText();
    void popupEntries();
    void editorReadsByLineAndWord();
    void savesTheChosenType_data();
    void savesTheChosenType();
    void nextSaveProposesTheLastNameAndType();
    void failedSaveKeepsTheWindowAndItsText();
    void tableIsOfferedAndSavedOnlyWithATable();
    void readOnlyTextIsReadByKeys();

private:
    // Clicks "&Speichern..." in the shown window and answers the save dialog with that type and
    // file name; the dialog's state is handed to inspect before it is answered.
    void saveAs(ReportView::FileType type, const QString &path,
        const std::function<void(QFileDialog *)> &inspect = {});

    std::unique_ptr<DialogEnvironment> m_env;
    ReportView *m_view = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

// With a no-break space, which the text keeps.
const QString kReport
    = u"Name: Meier\r\nKlasse:\u00A03B\r\n\r\nNr.: 1.000\r\nDatum: Mo., 6. Jänner "
      "2025\r\n[Grüße → Łódź]\r\n"_s;

} // namespace

void TestReportView::init()
{
    m_env = std::make_unique<DialogEnvironment>();
    m_dir = std::make_unique<QTemporaryDir>();
    m_view = new ReportView(&m_env->mainWindow);
    m_view->applyAppearance();
    m_view->setReport(ReportKind::AllDays, kReport);
}

void TestReportView::cleanup()
{
    m_env.reset();
    m_dir.reset();
}

void TestReportView::captionsFocusAndLayout_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::newRow("1") << 1 << u"Aktueller Tag als Text"_s;
    QTest::newRow("2") << 2 << u"Gesamte Tage des aktuellen Teilnehmers als Text"_s;
    QTest::newRow("3") << 3 << u"Ab-/Anwesenheitsauswertung des aktuellen Teilnehmers"_s;
    QTest::newRow("4") << 4 << u"Kommentarauswertung aller Teilnehmer"_s;
}

void TestReportView::captionsFocusAndLayout()
{
    QFETCH(int, kind);
    QFETCH(QString, caption);
    const ReportView::Ui &ui = m_view->ui();
    m_view->applyAppearance(fontOfSize(20), Qt::yellow);
    m_view->setReport(ReportKind(kind), kReport);
    QList<QWidget *> visited;
    execWith(*m_view, [&] {
        QCOMPARE(m_view->windowTitle(), caption);
        QCOMPARE(ui.textEdit->accessibleName(), caption);
        QCOMPARE(ui.printButton->text(), u"&Drucken..."_s);
        QCOMPARE(ui.saveButton->text(), u"&Speichern..."_s);
        QCOMPARE(ui.closeButton->text(), u"S&chließen"_s);
        QCOMPARE(m_view->text(), splitLines(kReport).join(u'\n') + u'\n');
        QCOMPARE(ui.textEdit->textCursor().position(), 0);
        QVERIFY(QTest::qWaitForWindowActive(m_view));
        QCOMPARE(QApplication::focusWidget(), ui.textEdit);
        // The text takes the whole look, the buttons only the font.
        QCOMPARE(ui.textEdit->font().pointSize(), 20);
        QCOMPARE(ui.textEdit->palette().color(QPalette::Base), QColor(Qt::yellow));
        QCOMPARE(ui.printButton->font().pointSize(), 20);
        const TextViewGeometry g = layoutTextView(
            ButtonMeasures{textLineHeight(ui.printButton->font(), ControlKind::Button), {}});
        QCOMPARE(ui.textEdit->geometry(), g.text);
        QCOMPARE(ui.printButton->geometry(), g.printButton);
        QCOMPARE(ui.saveButton->geometry(), g.saveButton);
        QCOMPARE(ui.closeButton->geometry(), g.closeButton);
        QCOMPARE(m_view->size(), g.client);
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget());
        }
    });
    QCOMPARE(
        visited, (QList<QWidget *>{ui.printButton, ui.saveButton, ui.closeButton, ui.textEdit}));
}

void TestReportView::ending_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("result");
    QTest::newRow("Escape closes") << int(Qt::Key_Escape) << 0 << int(QDialog::Rejected);
    QTest::newRow("Ctrl+P prints")
        << int(Qt::Key_P) << int(Qt::ControlModifier) << int(QDialog::Accepted);
    QTest::newRow("Enter breaks the line") << int(Qt::Key_Return) << 0 << -1;
}

void TestReportView::ending()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, result);
    bool stillShown = false;
    const int ended = execWith(*m_view, [&] {
        QVERIFY(QTest::qWaitForWindowActive(m_view));
        QTest::keyClick(m_view->ui().textEdit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        stillShown = m_view->isVisible();
    });
    QCOMPARE(stillShown, result == -1);
    if (result != -1)
        QCOMPARE(ended, result);
    else
        QCOMPARE(m_view->text(), u'\n' + splitLines(kReport).join(u'\n') + u'\n');

    // The buttons end it as well.
    QCOMPARE(
        execWith(*m_view, [this] { m_view->ui().printButton->click(); }), int(QDialog::Accepted));
    QCOMPARE(
        execWith(*m_view, [this] { m_view->ui().closeButton->click(); }), int(QDialog::Rejected));
}

void TestReportView::commandsFollowTheText()
{
    const ReportView::Ui &ui = m_view->ui();
    const auto enabled = [&ui] {
        return QList<bool>{ui.printButton->isEnabled(), ui.saveButton->isEnabled(),
            ui.printAction->isEnabled(), ui.saveAction->isEnabled(),
            ui.editCommands.selectAll->isEnabled(), ui.editCommands.copy->isEnabled(),
            ui.editCommands.cut->isEnabled()};
    };
    execWith(*m_view, [&] {
        QCOMPARE(enabled(), (QList<bool>{true, true, true, true, true, false, false}));
        QTest::keyClick(ui.textEdit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(enabled(), (QList<bool>{true, true, true, true, true, true, true}));
        QTest::keyClick(ui.textEdit, Qt::Key_Delete);
        QCOMPARE(enabled(), (QList<bool>{false, false, false, false, false, false, false}));
        // Ctrl+P does nothing without a text.
        QTest::keyClick(ui.textEdit, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(m_view->isVisible());
        typeText(ui.textEdit, u"x"_s);
        QCOMPARE(enabled(), (QList<bool>{true, true, true, true, true, false, false}));
    });
    // A new report starts with its own text.
    m_view->setReport(ReportKind::CurrentDay, kReport);
    execWith(*m_view, [&] { QVERIFY(ui.printButton->isEnabled()); });
}

void TestReportView::popupEntries()
{
    const ReportView::Ui &ui = m_view->ui();
    QApplication::clipboard()->clear();
    QStringList entries;
    bool pasteEnabled = true;
    int result = execWith(*m_view, [&] {
        QTimer::singleShot(0, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (const QAction *action : menu->actions())
                entries << action->text() + u' ' + action->shortcut().toString();
            pasteEnabled = ui.editCommands.paste->isEnabled();
            ui.printAction->trigger();
            menu->close();
        });
        Q_EMIT ui.textEdit->customContextMenuRequested(QPoint(5, 5));
    });
    QCOMPARE(entries,
        (QStringList{u"Kopieren Ctrl+C"_s, u"Ausschneiden Ctrl+X"_s, u"Einfügen Ctrl+V"_s,
            u"Alles &markieren Ctrl+A"_s, u"&Drucken... Ctrl+P"_s, u"&Speichern... Ctrl+S"_s}));
    QVERIFY(!pasteEnabled);
    QCOMPARE(result, int(QDialog::Accepted));

    // Paste follows the clipboard each time the menu opens.
    QApplication::clipboard()->setText(u"eingefügt"_s);
    result = execWith(*m_view, [&] {
        QTimer::singleShot(0, [&] {
            pasteEnabled = ui.editCommands.paste->isEnabled();
            ui.editCommands.paste->trigger();
            QApplication::activePopupWidget()->close();
        });
        Q_EMIT ui.textEdit->customContextMenuRequested(QPoint(5, 5));
    });
    QVERIFY(pasteEnabled);
    QVERIFY(m_view->text().startsWith(u"eingefügtName: Meier"_s));
}

void TestReportView::editorReadsByLineAndWord()
{
    execWith(*m_view, [this] {
        QAccessibleInterface *editor = QAccessible::queryAccessibleInterface(m_view->ui().textEdit);
        QVERIFY(editor);
        QCOMPARE(editor->role(), QAccessible::EditableText);
        QVERIFY(editor->state().multiLine);
        QVERIFY(editor->state().editable);
        QAccessibleTextInterface *text = editor->textInterface();
        QVERIFY(text);
        const QString plain = m_view->text();
        QCOMPARE(text->characterCount(), plain.size());
        struct Probe
        {
            int offset;
            QString line;
            QString word;
        };
        const int dateLine = int(plain.indexOf(u"Datum"_s));
        const int lastLine = int(plain.indexOf(u"[Grüße"_s));
        const Probe probes[] = {
            {0, u"Name: Meier"_s, u"Name"_s},
            {7, u"Name: Meier"_s, u"Meier"_s},
            {dateLine + 16, u"Datum: Mo., 6. Jänner 2025"_s, u"Jänner"_s},
            {lastLine + 3, u"[Grüße → Łódź]"_s, u"Grüße"_s},
            {lastLine + 11, u"[Grüße → Łódź]"_s, u"Łódź"_s},
            {int(plain.size()), QString(), QString()},
        };
        for (const Probe &probe : probes) {
            int start = -1;
            int end = -1;
            QCOMPARE(text->textAtOffset(probe.offset, QAccessible::LineBoundary, &start, &end),
                probe.line);
            QCOMPARE(plain.mid(start, end - start).remove(u'\n'), probe.line);
            QCOMPARE(text->textAtOffset(probe.offset, QAccessible::WordBoundary, &start, &end),
                probe.word);
        }
    });
}

void TestReportView::saveAs(ReportView::FileType type, const QString &path,
    const std::function<void(QFileDialog *)> &inspect)
{
    QTimer::singleShot(0, [=] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        if (inspect)
            inspect(dialog);
        dialog->selectNameFilter(ReportView::fileTypeFilter(type));
        Q_EMIT dialog->filterSelected(ReportView::fileTypeFilter(type));
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    m_view->ui().saveButton->click();
}

void TestReportView::savesTheChosenType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("typedName");
    QTest::addColumn<QString>("savedName");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("1 Rich Text Format gets .rtf")
        << int(ReportView::FileType::RichText) << u"bericht"_s << u"bericht.rtf"_s
        << QByteArray("{\\rtf1\\ansi");
    QTest::newRow("2 ANSI text into bericht.rtf")
        << int(ReportView::FileType::AnsiText) << u"bericht.rtf"_s << u"bericht.rtf"_s
        << QByteArray("XName: Meier\r\n");
    QTest::newRow("2 ANSI text gets .txt") << int(ReportView::FileType::AnsiText) << u"bericht"_s
                                           << u"bericht.txt"_s << QByteArray("XName: Meier\r\n");
    QTest::newRow("3 UTF-16 text") << int(ReportView::FileType::UnicodeText) << u"b.TXT"_s
                                   << u"b.TXT"_s << QByteArray("\xFF\xFEX\0N\0", 6);
}

void TestReportView::savesTheChosenType()
{
    QFETCH(int, type);
    QFETCH(QString, typedName);
    QFETCH(QString, savedName);
    QFETCH(QByteArray, start);
    const TextFileFormat formats[]
        = {TextFileFormat::RichText, TextFileFormat::Ansi, TextFileFormat::Utf16};
    DisplayFont &font = currentFont();
    font.font.setBold(true);
    execWith(*m_view, [&] {
        // The user's change is saved with the text.
        typeText(m_view->ui().textEdit, u"X"_s);
        saveAs(ReportView::FileType(type), m_dir->filePath(typedName));
        QVERIFY(m_view->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), m_view->ui().textEdit);
    });
    QFile saved(m_dir->filePath(savedName));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QVERIFY2(bytes.startsWith(start), bytes.constData());
    const TextFileFont fileFont{font.font, colorFromValue(font.color), font.charSet};
    QCOMPARE(bytes, textFileBytes(u'X' + kReport, formats[type], fileFont));
    QVERIFY(m_env->messages.shown().isEmpty());
}

void TestReportView::nextSaveProposesTheLastNameAndType()
{
    const QString first = m_dir->filePath(u"erster.txt"_s);
    QString proposedFilter;
    QStringList proposedFiles;
    execWith(*m_view, [&] {
        saveAs(ReportView::FileType::UnicodeText, first, [](QFileDialog *dialog) {
            // The first save of the run offers Rich Text Format.
            QCOMPARE(dialog->selectedNameFilter(), u"Rich Text Format (*.RTF)"_s);
        });
    });
    m_view->setReport(ReportKind::Attendance, u"neu\r\n"_s);
    execWith(*m_view, [&] {
        saveAs(ReportView::FileType::UnicodeText, m_dir->filePath(u"zweiter.txt"_s),
            [&](QFileDialog *dialog) {
                proposedFilter = dialog->selectedNameFilter();
                proposedFiles = dialog->selectedFiles();
            });
    });
    QCOMPARE(proposedFilter, u"Unicode-Textdokument (*.TXT)"_s);
    QCOMPARE(proposedFiles, QStringList{first});
}

void TestReportView::failedSaveKeepsTheWindowAndItsText()
{
    const QString path = m_dir->filePath(u"fehlt/bericht.rtf"_s);
    execWith(*m_view, [&] {
        saveAs(ReportView::FileType::RichText, path);
        QVERIFY(m_view->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), m_view->ui().textEdit);
        QCOMPARE(m_view->text(), splitLines(kReport).join(u'\n') + u'\n');
    });
    const QList<ShownMessage> shown = m_env->messages.takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().kind, MessageKind::Error);
    QVERIFY2(
        shown.first().text.startsWith(u"Datei \"%1\" kann nicht erstellt werden. "_s.arg(path)),
        qPrintable(shown.first().text));
    QVERIFY(!QFileInfo::exists(m_dir->filePath(u"fehlt"_s)));
}

void TestReportView::tableIsOfferedAndSavedOnlyWithATable()
{
    QStringList offered;
    const auto inspect = [&offered](QFileDialog *dialog) {
        offered = dialog->nameFilters();
    };
    m_view->setReport(ReportKind::AbsenceSummary, u"Klasse: 4A\r\n"_s);
    m_view->setTable(u"Name;Klasse\r\nJürgen;4A\r\n"_s);
    execWith(*m_view,
        [&] { saveAs(ReportView::FileType::Csv, m_dir->filePath(u"fehlzeiten"_s), inspect); });
    QCOMPARE(m_view->windowTitle(), u"Fehlzeiten der Klasse"_s);
    QCOMPARE(offered.size(), 4);
    QCOMPARE(offered.last(), u"CSV (Semikolon) (*.CSV)"_s);
    QCOMPARE(readBytes(m_dir->filePath(u"fehlzeiten.csv"_s)),
        QByteArray("\xEF\xBB\xBFName;Klasse\r\nJ\xC3\xBCrgen;4A\r\n"));

    // The next report has no table: the type is gone and Rich Text Format chosen.
    m_view->setReport(ReportKind::AllDays, kReport);
    QString chosen;
    execWith(*m_view, [&] {
        saveAs(ReportView::FileType::RichText, m_dir->filePath(u"bericht"_s),
            [&](QFileDialog *dialog) {
                inspect(dialog);
                chosen = dialog->selectedNameFilter();
            });
    });
    QCOMPARE(offered.size(), 3);
    QCOMPARE(chosen, u"Rich Text Format (*.RTF)"_s);
}

void TestReportView::readOnlyTextIsReadByKeys()
{
    m_view->setDocument(u"Bedienungsanleitung"_s, u"Erste Zeile\nZweite Zeile\n"_s, false);
    execWith(*m_view, [&] {
        QTextEdit *text = m_view->ui().textEdit;
        QTRY_COMPARE(QApplication::focusWidget(), text);
        QTest::keyClick(text, Qt::Key_Down);
        QCOMPARE(text->textCursor().position(), 12);
        typeText(text, u"X"_s);
        QCOMPARE(m_view->text(), u"Erste Zeile\nZweite Zeile\n"_s);
        QCOMPARE(m_view->windowTitle(), u"Bedienungsanleitung"_s);
    });
    // A report is editable again.
    m_view->setReport(ReportKind::AllDays, kReport);
    QVERIFY(!m_view->ui().textEdit->isReadOnly());
}

QTEST_MAIN(TestReportView)
#include "tst_reportview.moc"
