#ifndef TESSARO_REPORTS_NUMBERDIALOG_H
#define TESSARO_REPORTS_NUMBERDIALOG_H

#include "ui/adaptivedialog.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class ScreenReaderFront;

// The go-to dialog: a day number between a lowest and a highest one. Only digits can be typed;
// the Up and Down keys in the field and the arrows beside it step the number by 1 within the
// range. The caller sets range and proposed number before each showing and reads the number
// after OK.
class NumberDialog : public AdaptiveDialog
{
    Q_OBJECT

public:
    struct Ui
    {
        QLabel *label = nullptr;
        QLineEdit *edit = nullptr;
        QToolButton *stepUpButton = nullptr;
        QToolButton *stepDownButton = nullptr;
        QPushButton *okButton = nullptr;
        QPushButton *cancelButton = nullptr;
    };

    NumberDialog(QWidget *mainWindow, ScreenReaderFront *front);

    const Ui &ui() const { return m_ui; }

    // The range, the prompt "Gehe zu Tag (%d-%s)" and the field's length (the digits of the
    // highest number); proposed is put into the field at showing.
    void setRange(int lowest, int highest, int proposed);
    // After OK: the number entered, limited to the range. A field that holds no number (pasted
    // text) gives the information "Fehler bei Eingabe!" and no number.
    std::optional<int> enteredNumber();

protected:
    void layoutControls() override;
    void prepareToShow() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void step(int by);
    int limited(int number) const;

    Ui m_ui;
    int m_lowest = 1;
    int m_highest = 1;
    int m_position = 1;
};

#endif
