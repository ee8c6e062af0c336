#include "mainwindow/settingsstore.h"

#include <QStandardPaths>

using namespace Qt::StringLiterals;

QString settingsLocationForThisUser()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u"/Tessaro.ini"_s;
}
