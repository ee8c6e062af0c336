#include "app/programwindows.h"

#include "app/helpmenu.h"
#include "backup/backupwindow.h"
#include "backup/volumes.h"
#include "mainwindow/mainwindow.h"
#include "participants/classfilterdialog.h"
#include "participants/classrolldialog.h"
#include "participants/lineinputdialog.h"
#include "participants/participantcreationdialog.h"
#include "participants/participantlistdialog.h"
#include "participants/schoolyeardialog.h"
#include "reports/absenceperioddialog.h"
#include "reports/numberdialog.h"
#include "reports/reportview.h"

ProgramWindows createProgramWindows(const ProgramPaths &paths,
    std::unique_ptr<ScreenReaderFront> screenReader, const MakerContact &contact)
{
    auto mainWindow = std::make_unique<MainWindow>(paths, std::move(screenReader));
    auto *helpMenu = new HelpMenu(mainWindow.get(), paths.programFolder, contact);
    MainWindow *owner = mainWindow.get();
    ScreenReaderFront *front = owner->screenReader();
    MainWindow::Dialogs dialogs;
    dialogs.participantList = new ParticipantListDialog(owner, front);
    dialogs.creation = new ParticipantCreationDialog(owner, front);
    dialogs.input = new LineInputDialog(owner, front);
    dialogs.reportView = new ReportView(owner);
    dialogs.backup = new BackupWindow(owner, front, std::make_unique<SystemVolumeSource>());
    dialogs.number = new NumberDialog(owner, front);
    dialogs.classFilter = new ClassFilterDialog(owner);
    dialogs.classRoll = new ClassRollDialog(owner, front);
    dialogs.absencePeriod = new AbsencePeriodDialog(owner, front);
    dialogs.schoolYear = new SchoolYearDialog(owner, front);
    dialogs.participantList->setClassFilterDialog(dialogs.classFilter);
    owner->setDialogs(dialogs);
    return {std::move(mainWindow), helpMenu};
}
