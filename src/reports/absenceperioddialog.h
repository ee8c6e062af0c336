#ifndef TESSARO_REPORTS_ABSENCEPERIODDIALOG_H
#define TESSARO_REPORTS_ABSENCEPERIODDIALOG_H

#include "ui/adaptivedialog.h"

#include <QDate>
#include <QStringList>

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class ScreenReaderFront;

// Asks for the class and the period of the absence summary: "&Klasse:", "&Von:" and "&Bis:".
// "O&K" accepts only two readable dates (readDateText) in order; otherwise it says which date it
// cannot use and puts the focus there.
class AbsencePeriodDialog : public AdaptiveDialog
{
    Q_OBJECT

public:
    struct Ui
    {
        QLabel *classLabel = nullptr;
        QListWidget *classList = nullptr;
        QLabel *fromLabel = nullptr;
        QLineEdit *fromEdit = nullptr;
        QLabel *toLabel = nullptr;
        QLineEdit *toEdit = nullptr;
        QPushButton *okButton = nullptr;
        QPushButton *cancelButton = nullptr;
    };

    AbsencePeriodDialog(QWidget *mainWindow, ScreenReaderFront *front);

    const Ui &ui() const { return m_ui; }

    // The classes to choose from with the one chosen first (letter case ignored; "(Alle)" when
    // it is not there), and the period from the first of August before today to today.
    void prepare(const QStringList &classes, const QString &preselectedClass, QDate today);

    // After "O&K": the class (empty for "(Alle)") and the period, both days included.
    QString chosenClass() const;
    QDate from() const { return m_from; }
    QDate to() const { return m_to; }

protected:
    void layoutControls() override;
    void prepareToShow() override;

private:
    void confirm();
    // The date of the field, or empty after saying that it cannot be read.
    std::optional<QDate> readField(QLineEdit *field);

    Ui m_ui;
    QDate m_from;
    QDate m_to;
};

#endif
