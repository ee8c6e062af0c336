#ifndef TESSARO_PARTICIPANTS_PARTICIPANTLISTDIALOG_H
#define TESSARO_PARTICIPANTS_PARTICIPANTLISTDIALOG_H

#include "ui/adaptivedialog.h"

#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class ClassFilterDialog;
class ScreenReaderFront;

// The participant list: the participants of the data folder, optionally those of one class,
// from which the user picks the one the main window opens next. The list is filled 25 ms
// after showing, under the filter the caller set; until then it is empty.
class ParticipantListDialog : public AdaptiveDialog
{
    Q_OBJECT

public:
    struct Ui
    {
        QLabel *classLabel = nullptr;
        QListWidget *list = nullptr;
        QPushButton *classesButton = nullptr;
        QPushButton *okButton = nullptr;
        QPushButton *cancelButton = nullptr;
        // Fills the list shortly after showing.
        QTimer *fillTimer = nullptr;
    };

    ParticipantListDialog(QWidget *mainWindow, ScreenReaderFront *front);

    // The class chooser the button "Klassen..." opens. It is created after this dialog, so it is
    // given once it exists, before the list is first shown.
    void setClassFilterDialog(ClassFilterDialog *classFilterDialog)
    {
        m_classFilterDialog = classFilterDialog;
    }

    const Ui &ui() const { return m_ui; }

    // Fills the list from the folder of path (empty: of participantPath) under the filter,
    // refreshes the classes, enables "O&K" when the list holds a name, preselects the open
    // participant when the dialog is shown and tells whether the list holds a name. A file that
    // cannot be read raises TessaroError; the list then stays empty and "O&K" as it was.
    bool readParticipants(const QString &path);
    // Records the class of the participant file (a full path) in the classes and tells
    // whether the file passes the filter. Raises TessaroError when the file cannot be read.
    bool passesClassFilter(const QString &file);
    // The position of the participant participantPath names in the list, letter case ignored;
    // 0 when it is not listed or none is open.
    int openParticipantRow() const;

    // The class filter; empty for all participants. Setting it rewrites and centres the class
    // label.
    QString classFilter() const { return m_classFilter; }
    void setClassFilter(const QString &schoolClass);

    // The open participant's file, or the data folder ending in "/" when none is open: its
    // folder is listed, its participant preselected.
    QString participantPath;
    // The classes met by the last listing, also in files the filter hid, each once, sorted.
    QStringList classes;

protected:
    void layoutControls() override;
    void prepareToShow() override;
    void done(int result) override;

private:
    void fillList();
    void chooseClass();
    void centreClassLabel();

    Ui m_ui;
    ClassFilterDialog *m_classFilterDialog = nullptr;
    QString m_classFilter;
};

#endif
