#ifndef TESSARO_PARTICIPANTS_CLASSFILTERDIALOG_H
#define TESSARO_PARTICIPANTS_CLASSFILTERDIALOG_H

#include "ui/adaptivedialog.h"

#include <QStringList>

class QListWidget;
class QPushButton;

// The class chooser of the participant list: "(Alle)" and every class of the data folder.
class ClassFilterDialog : public AdaptiveDialog
{
    Q_OBJECT

public:
    struct Ui
    {
        QListWidget *list = nullptr;
        QPushButton *okButton = nullptr;
        QPushButton *cancelButton = nullptr;
    };

    explicit ClassFilterDialog(QWidget *mainWindow);

    const Ui &ui() const { return m_ui; }

    // Fills the list: "(Alle)" first, then the classes in their order.
    void setClasses(const QStringList &classes);
    // The position of preselectedClass among the entries, letter case ignored; 0, "(Alle)",
    // when it is not there.
    int preselectedRow() const;

    // Input: the class to preselect.
    QString preselectedClass;

protected:
    void layoutControls() override;
    void prepareToShow() override;

private:
    Ui m_ui;
};

#endif
