#ifndef TESSARO_DIALOGS_KLASSENDLG_H
#define TESSARO_DIALOGS_KLASSENDLG_H

#include "desktop/tessarodialog.h"

#include <QStringList>

class QListWidget;
class QPushButton;

// The class chooser of the participant list: "(Alle)" and every class of the data folder.
class TKlassenForm : public TessaroDialog
{
    Q_OBJECT

public:
    explicit TKlassenForm(QWidget *mainWindow);

    // Fills the list: "(Alle)" first, then the classes in their order.
    void setKlassen(const QStringList &klassen);
    // The position of Klasse among the entries, letter case ignored; 0, "(Alle)", when it is
    // not there.
    int FindItemIndex() const;

    // Input: the class to preselect.
    QString Klasse;

    QListWidget *ListBox1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

protected:
    void SchalterEinrichten() override;
    void FormShow() override;
};

#endif
