#ifndef TESSARO_MAINWINDOW_RKHINTERGRUND_H
#define TESSARO_MAINWINDOW_RKHINTERGRUND_H

#include "desktop/tessarodialog.h"

#include <QColor>

class QListWidget;
class QPushButton;

// The background colour chooser: the 19 named colours of the colour table. Its list's
// selection is where the current background number is held.
class THintergrundForm : public TessaroDialog
{
    Q_OBJECT

public:
    THintergrundForm(QWidget *mainWindow, int aRand);

    void CaptionZuweisen(
        const QString &caption, const QString &button1Caption, const QString &button2Caption);

    // A number outside the table selects entry 0, "Schwarz".
    int HintergrundNr() const;
    void setHintergrundNr(int number);
    QColor HintergrundFarbe() const;

    int Rand() const { return FRand; }
    void setRand(int margin);

    QListWidget *ListBox1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

    // Font and colour only; the layout runs at showing.
    using TessaroDialog::SchriftartZuweisen;
    void SchriftartZuweisen(const TessaroFont &font, const QColor &background);

protected:
    void SchalterEinrichten() override;
    void FormShow() override;
    void done(int result) override;

private:
    int MerkItemIndex = 0;
    int FRand;
};

#endif
