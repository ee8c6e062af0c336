#ifndef TESSARO_PARTICIPANTS_SCHOOLYEARDIALOG_H
#define TESSARO_PARTICIPANTS_SCHOOLYEARDIALOG_H

#include "participants/schoolyear.h"
#include "ui/adaptivedialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class ScreenReaderFront;

// "Neues Schuljahr": every class of the data folder as an entry that says what becomes of it
// ("4A wird 5A", "Chor bleibt Chor", "4C wird abgelegt"); the field "Neuer Name:" holds and edits
// the new name of the current entry, an empty name meaning that the class leaves. "O&K" ends
// the window with QDialog::Accepted once every new name is allowed; the caller asks before it
// changes anything and may show the window again with the names as they were.
class SchoolYearDialog : public AdaptiveDialog
{
    Q_OBJECT

public:
    struct Ui
    {
        QLabel *classesLabel = nullptr;
        QListWidget *classList = nullptr;
        QLabel *newNameLabel = nullptr;
        QLineEdit *newNameEdit = nullptr;
        QPushButton *okButton = nullptr;
        QPushButton *cancelButton = nullptr;
    };

    SchoolYearDialog(QWidget *mainWindow, ScreenReaderFront *front);

    const Ui &ui() const { return m_ui; }

    // The classes of the data folder, each with its proposed new name. A class without a name
    // is not offered: its participants stay as they are.
    void prepare(const QStringList &classes);
    // The classes with their new names, trimmed.
    QList<ClassRenaming> renamings() const;

    // The text of an entry, which a screen reader reads.
    static QString entryText(const ClassRenaming &renaming);

protected:
    void layoutControls() override;
    void prepareToShow() override;

private:
    void showCurrentName();
    void setCurrentName(const QString &name);
    void confirm();

    Ui m_ui;
    QList<ClassRenaming> m_renamings;
};

#endif
