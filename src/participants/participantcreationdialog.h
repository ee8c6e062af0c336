#ifndef TESSARO_PARTICIPANTS_PARTICIPANTCREATIONDIALOG_H
#define TESSARO_PARTICIPANTS_PARTICIPANTCREATIONDIALOG_H

#include "ui/adaptivedialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class ScreenReaderFront;

// The participant creation dialog: name, class and comment of a new participant. Before it
// closes with OK it makes sure the name can be a file name and looks for a participant of that
// name; when there is one, the user may open it instead (result OpenExisting, the name field then
// holding the name as the participant list spells it).
class ParticipantCreationDialog : public AdaptiveDialog
{
    Q_OBJECT

public:
    struct Ui
    {
        QLabel *nameLabel = nullptr;
        QLineEdit *nameEdit = nullptr;
        QLabel *classLabel = nullptr;
        QLineEdit *classEdit = nullptr;
        QLabel *commentLabel = nullptr;
        QLineEdit *commentEdit = nullptr;
        QPushButton *okButton = nullptr;
        QPushButton *cancelButton = nullptr;
    };

    // The result that asks to open the existing participant of the name typed.
    static constexpr int OpenExisting = 4;

    ParticipantCreationDialog(QWidget *mainWindow, ScreenReaderFront *front);

    const Ui &ui() const { return m_ui; }

    // Input: the main window's open participant file or data folder; its folder is searched.
    QString participantPath;
    // Whether the next attempt to close is allowed; false only right after the user kept the
    // dialog open instead of opening an existing participant.
    bool closeAllowed = true;

protected:
    void layoutControls() override;
    void prepareToShow() override;
    // Closing is refused while closeAllowed is false, which every attempt sets back to true.
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void confirm();
    void updateOkButton();
    void handleEnter();

    Ui m_ui;
};

#endif
