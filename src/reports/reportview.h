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

// The text view of the reports: the user reads the text, may change it, prints or saves it.
// "&Drucken..." ends the window with QDialog::Accepted, which the report command takes as
// "print" before it shows the window again; "S&chließen", Escape and the title bar end it with
// QDialog::Rejected. Saving keeps the window open; a rich-text file takes the current font.
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

    // The save dialog's file types, in the order of its list.
    enum class FileType { RichText, AnsiText, UnicodeText };

    explicit ReportView(QWidget *mainWindow);

    const Ui &ui() const { return m_ui; }

    // The caption of the kind and the text, with the caret at its start.
    void setReport(ReportKind kind, const QString &text);
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

    Ui m_ui;
};

#endif
