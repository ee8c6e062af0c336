#ifndef TESSARO_PARTICIPANTS_LINEINPUTDIALOG_H
#define TESSARO_PARTICIPANTS_LINEINPUTDIALOG_H

#include "ui/adaptivedialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class ScreenReaderFront;

// The questions the one-line input dialog asks.
enum class InputQuestion { NewName = 1, NewClass, SearchDate, NewComment };

// The one-line input dialog. The caller sets the question, whether an empty answer is allowed
// and the field's text before each showing and reads the field after OK; between showings the
// field keeps its text.
class LineInputDialog : public AdaptiveDialog
{
    Q_OBJECT

public:
    struct Ui
    {
        QLabel *label = nullptr;
        QLineEdit *edit = nullptr;
        QPushButton *okButton = nullptr;
        QPushButton *cancelButton = nullptr;
    };

    LineInputDialog(QWidget *mainWindow, ScreenReaderFront *front);

    const Ui &ui() const { return m_ui; }

    // Window caption and label for the question; run at every showing.
    void setCaptions();

    InputQuestion question = InputQuestion::NewName;
    // Whether an empty (or blank) answer may be confirmed.
    bool allowsEmpty = false;

protected:
    void layoutControls() override;
    void prepareToShow() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void confirm();
    void updateOkButton();
    // The replacement of a typed character, when the question wants one.
    bool upperCaseTypedKey(QKeyEvent *event);

    Ui m_ui;
};

#endif
