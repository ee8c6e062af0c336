#ifndef TESSARO_DIALOGS_TLDLG_H
#define TESSARO_DIALOGS_TLDLG_H

#include "desktop/tessarodialog.h"

#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class TKlassenForm;
class TScreenReaderFront;

// The participant list: the participants of the data folder, optionally those of one class,
// from which the user picks the one the main window opens next. The list is filled 25 ms
// after showing, under the filter the caller set; until then it is empty.
class TTlForm : public TessaroDialog
{
    Q_OBJECT

public:
    TTlForm(QWidget *mainWindow, TScreenReaderFront *front, TKlassenForm *klassenForm);

    // Fills the list from the folder of pfad (empty: of DatFilename) under the filter,
    // refreshes KlassenSl, enables "O&K" when the list holds a name, preselects the open
    // participant and tells whether the list holds a name. A file that cannot be read raises
    // TessaroError; the list then stays empty and "O&K" as it was.
    bool DateienEinlesen(const QString &pfad);
    // Records the class of the participant file datei (a full path) in KlassenSl and tells
    // whether the file passes the filter. Raises TessaroError when the file cannot be read.
    bool KlasseOk(const QString &datei);
    // The position of the participant DatFilename names in the list, letter case ignored; 0
    // when it is not listed or none is open.
    int FindItemIndex() const;

    // The class filter; empty for all participants. Setting it rewrites and centres Label1.
    QString Klasse() const { return FKlasse; }
    void setKlasse(const QString &klasse);

    // The open participant's file, or the data folder ending in "/" when none is open: its
    // folder is listed, its participant preselected.
    QString DatFilename;
    // The classes met by the last listing, also in files the filter hid, each once, sorted.
    QStringList KlassenSl;

    QLabel *Label1 = nullptr;
    QListWidget *ListBox1 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QTimer *Timer1 = nullptr;

protected:
    void SchalterEinrichten() override;
    void FormShow() override;
    void done(int result) override;

private:
    void Timer1Timer();
    void Button3Click();
    void centreLabel1();

    TKlassenForm *m_klassenForm;
    QString FKlasse;
};

#endif
