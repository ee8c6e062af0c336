#ifndef TESSARO_PARTICIPANTS_CLASSROLLDIALOG_H
#define TESSARO_PARTICIPANTS_CLASSROLLDIALOG_H

#include "records/classroll.h"
#include "ui/adaptivedialog.h"

#include <QHash>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class ScreenReaderFront;

// "Anwesenheit erfassen": the roll of a class for one date. Every participant of the chosen class
// is listed as "Meier: anwesend"; Space or a click toggles the current entry to "Meier: abwesend"
// and back, and the remark field belongs to the current entry. Enter or "&Speichern" ends the
// window with QDialog::Accepted; the caller stores marks() under date(). Cancelling after any
// entry was changed asks whether to store them first.
class ClassRollDialog : public AdaptiveDialog
{
    Q_OBJECT

public:
    struct Ui
    {
        QLabel *classLabel = nullptr;
        QListWidget *classList = nullptr;
        QLabel *dateLabel = nullptr;
        QLineEdit *dateEdit = nullptr;
        QLabel *listLabel = nullptr;
        QListWidget *list = nullptr;
        QLabel *remarkLabel = nullptr;
        QLineEdit *remarkEdit = nullptr;
        QPushButton *saveButton = nullptr;
        QPushButton *cancelButton = nullptr;
    };

    ClassRollDialog(QWidget *mainWindow, ScreenReaderFront *front);

    const Ui &ui() const { return m_ui; }

    // A new roll of the participants in dataFolder (ending in "/"): the classes to choose from,
    // the class chosen first (letter case ignored; "(Alle)" when it is not there) and the date
    // proposed. Every participant starts as present without remark. Raises TessaroError when a
    // participant file cannot be read.
    void prepare(const QString &dataFolder, const QStringList &classes,
        const QString &preselectedClass, const QString &date);

    // The entries of the participants listed, in the list's order. Entries changed under another
    // class that was chosen before are kept for that class but not given here.
    QList<RollMark> marks() const;
    // The date typed, trimmed.
    QString date() const;

    // The text of an entry, which a screen reader reads: "Meier: anwesend", "Meier: abwesend".
    static QString entryText(const RollMark &mark);

    // Toggles the current entry between present and absent.
    void toggleCurrentEntry();

public Q_SLOTS:
    void reject() override;

protected:
    void layoutControls() override;
    void prepareToShow() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void listChosenClass();
    void showCurrentRemark();
    void save();
    // The entry of the participant: present without remark until it is changed.
    RollMark markOf(const QString &name) const;
    RollMark &markOf(int row);
    bool anyEntryChanged() const;

    Ui m_ui;
    ScreenReaderFront *m_front;
    QString m_dataFolder;
    // The names listed, row by row.
    QStringList m_listed;
    // The entries changed since prepare, by name, under whichever class they were listed.
    QHash<QString, RollMark> m_marks;
};

#endif
