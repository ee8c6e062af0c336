#ifndef TESSARO_UI_BACKGROUNDCOLOURDIALOG_H
#define TESSARO_UI_BACKGROUNDCOLOURDIALOG_H

#include "ui/adaptivedialog.h"

#include <QColor>

class QListWidget;
class QPushButton;

// The background colour chooser: the 19 named colours of the colour table. Its list's
// selection is where the current background number is held.
class BackgroundColourDialog : public AdaptiveDialog
{
    Q_OBJECT

public:
    struct Ui
    {
        QListWidget *list = nullptr;
        QPushButton *okButton = nullptr;
        QPushButton *cancelButton = nullptr;
    };

    BackgroundColourDialog(QWidget *mainWindow, int margin);

    const Ui &ui() const { return m_ui; }

    void setCaptions(
        const QString &caption, const QString &okCaption, const QString &cancelCaption);

    // A number outside the table selects entry 0, "Schwarz".
    int colourNumber() const;
    void setColourNumber(int number);
    QColor colour() const;

    int margin() const { return m_margin; }
    void setMargin(int margin);

    // Font and colour only; the layout runs at showing.
    using AdaptiveDialog::applyAppearance;
    void applyAppearance(const DisplayFont &font, const QColor &background);

protected:
    void layoutControls() override;
    void prepareToShow() override;
    void done(int result) override;

private:
    Ui m_ui;
    int m_rowAtShowing = 0;
    int m_margin;
};

#endif
