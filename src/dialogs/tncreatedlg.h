#ifndef TESSARO_DIALOGS_TNCREATEDLG_H
#define TESSARO_DIALOGS_TNCREATEDLG_H

#include "desktop/tessarodialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TScreenReaderFront;

// The participant creation dialog: name, class and comment of a new participant. Before it
// closes with OK it makes sure the name can be a file name and looks for a participant of that
// name; when there is one, the user may open it instead (result mrRetry, the name field then
// holding the name as the participant list spells it).
class TTnCreateForm : public TessaroDialog
{
    Q_OBJECT

public:
    TTnCreateForm(QWidget *mainWindow, TScreenReaderFront *front);

    // Input: the main window's open participant file or data folder; its folder is searched.
    QString DatFilename;
    // Whether the next attempt to close is allowed; false only right after the user kept the
    // dialog open instead of opening an existing participant.
    bool CloseS = true;

    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr; // name
    QLabel *Label2 = nullptr;
    QLineEdit *Edit2 = nullptr; // class
    QLabel *Label3 = nullptr;
    QLineEdit *Edit3 = nullptr; // comment
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

protected:
    void SchalterEinrichten() override;
    void FormShow() override;
    // FormCloseQuery: refused while CloseS is false, which every attempt sets back to true.
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Button1Click();
    void Edit1Change();
    void Edit1KeyPress();
};

#endif
