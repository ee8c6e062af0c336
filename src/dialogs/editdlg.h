#ifndef TESSARO_DIALOGS_EDITDLG_H
#define TESSARO_DIALOGS_EDITDLG_H

#include "desktop/tessarodialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TScreenReaderFront;

// The one-line input dialog. Nr chooses the question: 1 a participant's new name, 2 a new
// class, 3 a date to search for, 4 a new comment. The caller sets Nr, NullS and the field's
// text before each showing and reads the field after OK; between showings the field keeps its
// text.
class TEditForm : public TessaroDialog
{
    Q_OBJECT

public:
    TEditForm(QWidget *mainWindow, TScreenReaderFront *front);

    // Window caption and label for Nr; run at every showing.
    void CaptionZuweisen();

    // 1 to 4; any other number counts as the nearest of them.
    int Nr = 1;
    // Whether an empty (or blank) answer may be confirmed.
    bool NullS = false;

    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

protected:
    void SchalterEinrichten() override;
    void FormShow() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Button1Click();
    void Edit1Change();
    // The replacement of a typed character, when the question wants one.
    bool Edit1KeyPress(QKeyEvent *event);
};

#endif
