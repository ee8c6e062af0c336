#include "reports/reportview.h"

#include "reports/textfilewriter.h"

#include "ui/appearance.h"
#include "ui/dialoggeometry.h"
#include "ui/messages.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

TextFileFormat formatOf(ReportView::FileType type)
{
    switch (type) {
    case ReportView::FileType::AnsiText:
        return TextFileFormat::Ansi;
    case ReportView::FileType::UnicodeText:
        return TextFileFormat::Utf16;
    case ReportView::FileType::Csv:
        // A spreadsheet recognises UTF-8 by its byte-order mark and shows the umlauts right.
        return TextFileFormat::Utf8;
    case ReportView::FileType::RichText:
        break;
    }
    return TextFileFormat::RichText;
}

// The extension a name typed without one receives.
QString suffixOf(ReportView::FileType type)
{
    switch (type) {
    case ReportView::FileType::RichText:
        return u"rtf"_s;
    case ReportView::FileType::Csv:
        return u"csv"_s;
    default:
        break;
    }
    return u"txt"_s;
}

} // namespace

ReportView::ReportView(QWidget *mainWindow)
    : AdaptiveDialog(mainWindow, LookKinds{true, true, true, true, true, true}, true)
{
    m_ui.textEdit = new QTextEdit(this);
    m_ui.textEdit->setAcceptRichText(false);
    m_ui.textEdit->setLineWrapMode(QTextEdit::WidgetWidth);
    m_ui.textEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab leaves the text for the buttons; Enter breaks the line instead of printing.
    m_ui.textEdit->setTabChangesFocus(true);
    m_ui.printButton = new QPushButton(this);
    m_ui.saveButton = new QPushButton(this);
    m_ui.closeButton = new QPushButton(this);
    m_ui.printButton->setDefault(true);
    setTabOrder(m_ui.textEdit, m_ui.printButton);
    setTabOrder(m_ui.printButton, m_ui.saveButton);
    setTabOrder(m_ui.saveButton, m_ui.closeButton);
    connect(m_ui.printButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(m_ui.saveButton, &QPushButton::clicked, this, &ReportView::save);
    connect(m_ui.closeButton, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    connect(m_ui.textEdit, &QTextEdit::textChanged, this, &ReportView::updateCommands);
    connect(m_ui.textEdit, &QTextEdit::selectionChanged, this, &ReportView::updateCommands);
    createTextMenu();
}

QFileDialog *ReportView::saveDialog()
{
    // Created at the first save: a file dialog watches the file system from the moment it
    // exists, which the program's start need not pay for.
    if (m_ui.saveDialog)
        return m_ui.saveDialog;
    m_ui.saveDialog = new QFileDialog(this);
    m_ui.saveDialog->setAcceptMode(QFileDialog::AcceptSave);
    m_ui.saveDialog->setFileMode(QFileDialog::AnyFile);
    m_ui.saveDialog->setDefaultSuffix(suffixOf(FileType::RichText));
    connect(m_ui.saveDialog, &QFileDialog::filterSelected, this, [this](const QString &filter) {
        const qsizetype index = m_ui.saveDialog->nameFilters().indexOf(filter);
        m_ui.saveDialog->setDefaultSuffix(suffixOf(fileTypes().value(index)));
    });
    return m_ui.saveDialog;
}

QString ReportView::caption(ReportKind kind)
{
    switch (kind) {
    case ReportKind::CurrentDay:
        return u"Aktueller Tag als Text"_s;
    case ReportKind::AllDays:
        return u"Gesamte Tage des aktuellen Teilnehmers als Text"_s;
    case ReportKind::Attendance:
        return u"Ab-/Anwesenheitsauswertung des aktuellen Teilnehmers"_s;
    case ReportKind::AbsenceSummary:
        return u"Fehlzeiten der Klasse"_s;
    case ReportKind::Comments:
        break;
    }
    return u"Kommentarauswertung aller Teilnehmer"_s;
}

QString ReportView::fileTypeFilter(FileType type)
{
    switch (type) {
    case FileType::AnsiText:
        return u"Textdokument (*.TXT)"_s;
    case FileType::UnicodeText:
        return u"Unicode-Textdokument (*.TXT)"_s;
    case FileType::Csv:
        return u"CSV (Semikolon) (*.CSV)"_s;
    case FileType::RichText:
        break;
    }
    return u"Rich Text Format (*.RTF)"_s;
}

void ReportView::createTextMenu()
{
    m_ui.textMenu = new QMenu(this);
    m_ui.editCommands = addTextEditCommands(m_ui.textMenu, m_ui.textEdit);
    m_ui.printAction = m_ui.textMenu->addAction(u"&Drucken..."_s);
    m_ui.printAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_ui.saveAction = m_ui.textMenu->addAction(u"&Speichern..."_s);
    m_ui.saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(m_ui.printAction, &QAction::triggered, m_ui.printButton, &QPushButton::click);
    connect(m_ui.saveAction, &QAction::triggered, m_ui.saveButton, &QPushButton::click);
    // Printing and saving act anywhere in the window.
    addAction(m_ui.printAction);
    addAction(m_ui.saveAction);

    m_ui.textEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui.textEdit, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        updateCommands();
        m_ui.textMenu->exec(m_ui.textEdit->viewport()->mapToGlobal(at));
    });
}

QList<ReportView::FileType> ReportView::fileTypes() const
{
    QList<FileType> types{FileType::RichText, FileType::AnsiText, FileType::UnicodeText};
    if (!m_table.isEmpty())
        types.append(FileType::Csv);
    return types;
}

void ReportView::setReport(ReportKind kind, const QString &text)
{
    setDocument(caption(kind), text, true);
    m_table.clear();
}

void ReportView::setDocument(const QString &caption, const QString &text, bool editable)
{
    setWindowTitle(caption);
    // The text has no label; the screen reader names it after the report.
    m_ui.textEdit->setAccessibleName(caption);
    m_ui.textEdit->setReadOnly(!editable);
    // Read-only, the text keeps its caret, so that it is read by line and word from the keyboard.
    m_ui.textEdit->setTextInteractionFlags(editable
            ? Qt::TextEditorInteraction
            : Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_ui.textEdit->setPlainText(text);
    m_ui.textEdit->moveCursor(QTextCursor::Start);
}

QString ReportView::text() const
{
    // Unlike toPlainText, the raw text keeps no-break spaces.
    QString text = m_ui.textEdit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

void ReportView::layoutControls()
{
    const TextViewGeometry g = layoutTextView(
        measureButtons({m_ui.printButton, m_ui.saveButton, m_ui.closeButton}), maxClientSize());
    m_ui.textEdit->setGeometry(g.text);
    m_ui.printButton->setGeometry(g.printButton);
    m_ui.saveButton->setGeometry(g.saveButton);
    m_ui.closeButton->setGeometry(g.closeButton);
    setClientSize(g.client);
}

void ReportView::prepareToShow()
{
    m_ui.printButton->setText(u"&Drucken..."_s);
    m_ui.closeButton->setText(u"S&chließen"_s);
    m_ui.saveButton->setText(u"&Speichern..."_s);
    layoutControls();
    updateCommands();
    m_ui.textEdit->setFocus();
}

void ReportView::updateCommands()
{
    const bool hasText = !m_ui.textEdit->document()->isEmpty();
    m_ui.printButton->setEnabled(hasText);
    m_ui.saveButton->setEnabled(hasText);
    m_ui.printAction->setEnabled(hasText);
    m_ui.saveAction->setEnabled(hasText);
    updateTextEditCommands(m_ui.editCommands, m_ui.textEdit);
}

void ReportView::save()
{
    QFileDialog *dialog = saveDialog();
    QStringList filters;
    for (const FileType type : fileTypes())
        filters << fileTypeFilter(type);
    if (dialog->nameFilters() != filters) {
        // The types of this text; the last one chosen stays chosen where this text offers it,
        // and so does the last name, which choosing a type would give that type's extension.
        const QString lastFilter = dialog->selectedNameFilter();
        dialog->setNameFilters(filters);
        const qsizetype chosenIndex = qMax<qsizetype>(0, filters.indexOf(lastFilter));
        dialog->selectNameFilter(filters.at(chosenIndex));
        dialog->setDefaultSuffix(suffixOf(fileTypes().at(chosenIndex)));
        if (!m_savedPath.isEmpty())
            dialog->selectFile(m_savedPath);
    }
    const int chosen = dialog->exec();
    // Whatever the dialog ended with, the text has the focus again before anything is written or
    // reported, also where no window manager activates the window again.
    activateWindow();
    m_ui.textEdit->setFocus();
    if (chosen != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return;
    const QString path = dialog->selectedFiles().constFirst();
    const qsizetype typeIndex = dialog->nameFilters().indexOf(dialog->selectedNameFilter());
    const FileType type = fileTypes().value(typeIndex);
    // The dialog proposes this name and type next time.
    dialog->selectFile(path);
    m_savedPath = path;
    runCommand(this, [&] {
        const DisplayFont &font = currentFont();
        saveTextFile(path, type == FileType::Csv ? m_table : text(), formatOf(type),
            type == FileType::RichText
                ? std::optional(TextFileFont{font.font, colorFromValue(font.color), font.charSet})
                : std::nullopt);
    });
}
