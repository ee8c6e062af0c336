#ifndef TESSARO_REPORTS_REPORTVIEW_H
#define TESSARO_REPORTS_REPORTVIEW_H

#include "reports/reporttexts.h"
#include "ui/adaptivedialog.h"
#include "ui/texteditcommands.h"

class QAction;
class QFileDialog;
class QMenu;
class QPushButton;
class QTextEdit;

// The text view of the reports and of the guide: the user reads the text, may change a report's
// text, prints or saves it. "&Drucken..." ends the window with QDialog::Accepted, which the
// command takes as "print" before it shows the window again; "S&chließen", Escape and the title
// bar end it with QDialog::Rejected. Saving keeps the window open; a rich-text file takes the
// current font. A report that comes with a table offers it as one more file type.
class ReportView : public AdaptiveDialog
{
    Q_OBJECT

public:
    struct Ui
    {
        QTextEdit *textEdit = nullptr;
        QPushButton *printButton = nullptr;
        QPushButton *saveButton = nullptr;
        QPushButton *closeButton = nullptr;
        // The text's popup menu.
        QMenu *textMenu = nullptr;
        TextEditCommands editCommands;
        QAction *printAction = nullptr;
        QAction *saveAction = nullptr;
        // Created at the first save and kept for the whole run, so that it proposes the last
        // name and type again.
        QFileDialog *saveDialog = nullptr;
    };

    // The save dialog's file types, in the order of its list; the table only with a table.
    enum class FileType { RichText, AnsiText, UnicodeText, Csv };

    explicit ReportView(QWidget *mainWindow);

    const Ui &ui() const { return m_ui; }

    // The caption of the kind and the text, with the caret at its start; no table.
    void setReport(ReportKind kind, const QString &text);
    // A text under its caption; a read-only one can be read and searched but not changed.
    void setDocument(const QString &caption, const QString &text, bool editable);
    // The report's table, saved as "CSV (Semikolon)": UTF-8 with a byte-order mark.
    void setTable(const QString &csv) { m_table = csv; }
    // The text as it stands, the user's changes included.
    QString text() const;

    static QString caption(ReportKind kind);
    static QString fileTypeFilter(FileType type);

protected:
    void layoutControls() override;
    void prepareToShow() override;

private:
    void createTextMenu();
    void updateCommands();
    void save();
    QFileDialog *saveDialog();
    // The file types offered for the text shown.
    QList<FileType> fileTypes() const;

    Ui m_ui;
    QString m_table;
    // The file last saved, which the save dialog proposes again.
    QString m_savedPath;
};

#endif
