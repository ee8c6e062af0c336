#include "speech/sounds.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

bool playBeep()
{
    QApplication::beep();
    return true;
}

bool playInformationSound()
{
    const QString player = QStandardPaths::findExecutable(u"canberra-gtk-play"_s);
    if (player.isEmpty())
        return playBeep();
    QProcess process;
    process.setProgram(player);
    process.setArguments({u"--id=dialog-information"_s, u"--description=Tessaro"_s});
    // The player reports a missing sound theme or sound server on its own output; the user is
    // not to see that.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}
